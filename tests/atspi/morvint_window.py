"""The game's main window as a screen reader sees it, and a player that checks
every press against what the game must show.

Everything here goes through the accessibility interface: names, descriptions,
texts, states and actions. Nothing reads the program's memory or its drawing.
"""

import re
import time
import warnings

from morvint_session import Failure, wait_for

# pyatspi still calls a few deprecated libatspi functions; they work.
warnings.filterwarnings("ignore", category=DeprecationWarning)

BUTTONS = ["North", "South", "East", "West", "Attack", "Drink", "Cross", "Pick Up", "Unlock",
           "Use"]
BOXES = ["Narrative", "Last Action", "Items"]
# Panel: (description, the prefix that its name puts before the panel's text)
PANELS = {
    "hp": ("Hit Points", "Hit Points: "),
    "enemy": ("Enemy's Hit Points", "Enemy's Hit Points: "),
    "time": ("Total Time", "Total Time: "),
}
# Menu: [(item name, shortcut as the bus gives it, or None when it has none)]
MENUS = {
    "File": [("Undo", "Alt+Backspace"), ("New", "F2"), ("Exit", "Ctrl+Q")],
    "Help": [("About...", None)],
}

OPENING = ("You are in a small room at the entrance of a maze. You have to find the gold and "
           "get out without dying. You can go north or west. ")
FIRST_MOVE = " You have first move. You can leave or attack. If you leave, you might be attacked. "
PLAY_AGAIN = "Would you like to play again?"

# Damage of one blow, per enemy name as the narrative writes it: (lowest, highest).
BLOW = {"snake": (2, 6), "scorpion": (1, 3), "scropion": (1, 3), "goblin": (3, 7),
        "dragon": (4, 12)}
ATTACK = (3, 6)

# Rooms as their full set-up describes them.
ROOM_0_2 = "You can go west or east. "
ROOM_0_3 = "You can go north or west. "
ROOM_1_3 = ("You can go north or south. There is a potion in the middle of the room but drink "
            "it at your own risk. ")
ROOM_2_3 = "You can go any direction. "


def _pyatspi():
    import pyatspi

    return pyatspi


class GameWindow:
    """Finds the controls of the main window once and reads them on demand."""

    def __init__(self, session, app, log=print):
        self.session = session
        self.app = app
        self.log = log
        self.pyatspi = _pyatspi()
        self.presses = 0
        self.frame = wait_for("the main window 'Morvint' with its controls", self._find_frame)
        self.buttons = {name: self._unique(self.frame, self.pyatspi.ROLE_PUSH_BUTTON, name)
                        for name in BUTTONS}
        self.boxes = {name: self._unique(self.frame, self.pyatspi.ROLE_TEXT, name)
                      for name in BOXES}
        self.panels = {}
        for key, (description, _) in PANELS.items():
            found = self._all(self.frame, lambda a, d=description: (
                a.getRole() == self.pyatspi.ROLE_LABEL and a.description == d))
            if len(found) != 1:
                raise Failure(f"expected one status panel described {description!r}, "
                              f"found {len(found)}")
            self.panels[key] = found[0]
        self.menus = {}
        for menu, items in MENUS.items():
            top = self._unique(self.frame, self.pyatspi.ROLE_MENU_ITEM, menu)
            for name, _ in items:
                self.menus[name] = self._unique(top, self.pyatspi.ROLE_MENU_ITEM, name)

    # ------------------------------------------------------------------ finding

    def _all(self, root, predicate):
        found = []
        stack = [root]
        while stack:
            node = stack.pop()
            if node is None:
                continue
            if node is not root and predicate(node):
                found.append(node)
            for i in range(node.childCount - 1, -1, -1):
                stack.append(node.getChildAtIndex(i))
        return found

    def _unique(self, root, role, name):
        found = self._all(root, lambda a: a.getRole() == role and a.name == name)
        if len(found) != 1:
            raise Failure(f"expected one {self.pyatspi.Role(role)!s} named {name!r}, "
                          f"found {len(found)}")
        return found[0]

    def _find_frame(self):
        frames = [c for c in self.app if c is not None and c.getRole() == self.pyatspi.ROLE_FRAME
                  and c.name == "Morvint"]
        if len(frames) != 1:
            return None
        # The window is ready once its last control exists.
        if not self._all(frames[0], lambda a: a.name == "Last Action"):
            return None
        return frames[0]

    def alert(self, name):
        """The message box (role alert) of that title, or None."""
        for child in self.app:
            if child is not None and child.getRole() == self.pyatspi.ROLE_ALERT and \
                    child.name == name:
                return child
        return None

    # ------------------------------------------------------------------ reading

    @staticmethod
    def text_of(acc):
        text = acc.queryText()
        return text.getText(0, text.characterCount)

    def text(self, box):
        return self.text_of(self.boxes[box])

    def panel(self, key):
        """The panel's accessible name; it must begin with the panel's prefix."""
        name = self.panels[key].name
        prefix = PANELS[key][1]
        if not name.startswith(prefix):
            raise Failure(f"panel {PANELS[key][0]!r} is named {name!r}, "
                          f"which does not begin with {prefix!r}")
        return name

    def enabled(self, acc):
        """True when the control is enabled; its enabled and sensitive states must agree."""
        states = acc.getState()
        enabled = states.contains(self.pyatspi.STATE_ENABLED)
        sensitive = states.contains(self.pyatspi.STATE_SENSITIVE)
        if enabled != sensitive:
            raise Failure(f"{acc.name!r}: enabled is {enabled} but sensitive is {sensitive}")
        return enabled

    def button_enabled(self, name):
        return self.enabled(self.buttons[name])

    def enabled_buttons(self):
        return [name for name in BUTTONS if self.button_enabled(name)]

    # ----------------------------------------------------------------- pressing

    def _action_index(self, acc, wanted):
        action = acc.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        if wanted not in names:
            raise Failure(f"{acc.name!r} offers no {wanted!r} action (it offers {names})")
        return action, names.index(wanted)

    def press(self, acc, label=None, ends_program=False):
        """Presses a button through its Press action and waits until the click is done.

        The action clicks a moment later, and two presses inside that moment would
        make one click, so this waits until the button is no longer down. The
        click's handler has then run to its end, or to a modal box that it opened.
        """
        label = label or acc.name
        if not self.enabled(acc):
            raise Failure(f"cannot press {label!r}: it is not enabled")
        action, index = self._action_index(acc, "Press")
        if not action.doAction(index):
            raise Failure(f"the Press action of {label!r} failed")
        self.presses += 1
        if ends_program:
            return
        wait_for(f"the press of {label!r} to end",
                 lambda: not acc.getState().contains(self.pyatspi.STATE_PRESSED))

    def press_button(self, name):
        self.press(self.buttons[name], name)

    def choose_menu(self, name):
        """Chooses a menu item through its Press action (the menu need not be open)."""
        acc = self.menus[name]
        if not self.enabled(acc):
            raise Failure(f"menu item {name!r} is not enabled")
        action, index = self._action_index(acc, "Press")
        try:
            action.doAction(index)
        except Exception:
            # Exit may end the program before its answer reaches us.
            if name != "Exit":
                raise


class Player:
    """Plays through a GameWindow and checks every result exactly.

    The game's draws are random, so each check accepts every outcome the rules
    allow and nothing else: a blow's damage must lie in the enemy's range and
    must be what the hit points panel lost, and so on. The player tracks the
    hit points and the enemy's hit points that the window must show.
    """

    def __init__(self, window, started_at, log=print):
        self.w = window
        self.log = log
        self.started_at = started_at
        self.checks = 0
        self.hp = 35
        self.enemy_hp = None
        self.deaths = 0
        self.blows_taken = []
        self.attacks = []

    # ------------------------------------------------------------------- checks

    def expect(self, what, actual, wanted):
        if actual != wanted:
            raise Failure(f"{what}: expected {wanted!r}, got {actual!r}")
        self.checks += 1

    def expect_true(self, what, condition):
        if not condition:
            raise Failure(what)
        self.checks += 1

    def expect_match(self, what, pattern, actual):
        m = re.fullmatch(pattern, actual)
        if not m:
            raise Failure(f"{what}: {actual!r} does not match {pattern!r}")
        self.checks += 1
        return m

    def expect_buttons(self, enabled):
        """Exactly the named buttons are enabled; all others are not."""
        self.expect("enabled buttons", self.w.enabled_buttons(),
                    [b for b in BUTTONS if b in enabled])

    def expect_hp(self):
        self.expect("hit points panel", self.w.panel("hp"), f"Hit Points: {self.hp}")

    def expect_time_reset(self):
        name = self.w.panel("time")
        # The clock ticks once a minute from the program's start; a new game puts
        # its panel back to 0:00. Before a minute has passed no tick can have come.
        if time.monotonic() - self.started_at < 55:
            self.expect("time panel", name, "Total Time: 0:00")
        else:
            self.expect_match("time panel", r"Total Time: \d+:[0-5]\d", name)

    def expect_opening(self, first):
        """The window as a new game leaves it."""
        self.hp = 35
        self.enemy_hp = None
        self.expect("narrative", self.w.text("Narrative"), OPENING)
        self.expect("last action", self.w.text("Last Action"), "Entered a maze")
        self.expect_hp()
        enemy = self.w.panel("enemy")
        if first:
            self.expect("enemy panel", enemy, "Enemy's Hit Points: Enemy HP:")
        self.expect("enemy panel enabled", self.w.enabled(self.w.panels["enemy"]), False)
        self.expect("hit points panel enabled", self.w.enabled(self.w.panels["hp"]), True)
        self.expect("time panel enabled", self.w.enabled(self.w.panels["time"]), True)
        self.expect_time_reset()
        if first:
            self.expect("items", self.w.text("Items"), "")
        self.expect_buttons(BUTTONS)

    def expect_static_parts(self):
        """Names, descriptions and menus that never change."""
        descriptions = {"North": "Go north", "South": "Go south", "East": "Go east",
                        "West": "Go west"}
        for name, description in descriptions.items():
            self.expect(f"description of {name!r}", self.w.buttons[name].description,
                        description)
        for name in BUTTONS:
            self.expect_true(f"button {name!r} has a description",
                             self.w.buttons[name].description != "")
        for name in BOXES:
            self.expect_true(f"box {name!r} has a description",
                             self.w.boxes[name].description != "")
        for menu, items in MENUS.items():
            for name, shortcut in items:
                acc = self.w.menus[name]
                self.expect(f"menu item {name!r} enabled", self.w.enabled(acc), True)
                if shortcut:
                    action = acc.queryAction()
                    self.expect(f"shortcut of {name!r}", action.getKeyBinding(0), shortcut)

    # ------------------------------------------------------------ single steps

    def refused(self, button, refusal):
        """A press that the room refuses: one sentence more, the button disabled."""
        before = self.w.text("Narrative")
        action_before = self.w.text("Last Action")
        enabled_before = self.w.enabled_buttons()
        enemy_before = self.w.panel("enemy")
        self.w.press_button(button)
        self.expect(f"narrative after refused {button}", self.w.text("Narrative"),
                    before + refusal)
        self.expect(f"last action after refused {button}", self.w.text("Last Action"),
                    action_before)
        self.expect_buttons([b for b in enabled_before if b != button])
        self.expect_hp()
        self.expect("enemy panel after a refusal", self.w.panel("enemy"), enemy_before)
        self.log(f"  {button}: refused, {button} disabled")

    def move(self, button, word, room, description, enemy=None):
        """A move into `room` whose set-up writes `description`.

        `enemy` names the unhurt monster met there, if any. A living monster in
        the room being left strikes first: pass its name as `leaving`.
        Returns False when the game ended during the press.
        """
        return self._move(button, word, room, description, enemy, leaving=None)

    def leave(self, button, word, room, description, leaving):
        return self._move(button, word, room, description, None, leaving=leaving)

    def _move(self, button, word, room, description, enemy, leaving):
        old_action = self.w.text("Last Action")
        self.w.press_button(button)
        if self._ended_by_blow(old_action if leaving else f"{word}({room[0]},{room[1]})",
                               leaving or enemy):
            return False
        self.expect(f"last action after {button}", self.w.text("Last Action"),
                    f"{word}({room[0]},{room[1]})")
        narrative = self.w.text("Narrative")
        pattern = re.escape(description)
        if enemy:
            pattern += re.escape(f"There is a {enemy} in the room. ")
            pattern += "(?:" + re.escape(FIRST_MOVE) + "|" + re.escape(
                f"The {enemy} attacked you. You lost ") + r"(\d+)" + re.escape(" HP. ") + ")"
        if leaving:
            pattern += re.escape("You were attcked when you left the room. You lost ") + \
                r"(\d+)" + re.escape(" HP. ")
        m = self.expect_match(f"narrative after {button} into {room}", pattern, narrative)
        taken = m.group(1) if m.groups() else None
        outcome = ""
        if taken is not None:
            self._blow(leaving or enemy, int(taken))
            outcome = f", {'left' if leaving else 'met'} the {leaving or enemy}: lost {taken} HP"
        elif enemy:
            outcome = f", met the {enemy}: first move"
        self.expect_hp()
        if enemy:
            self.enemy_hp = {"goblin": 6, "snake": 2, "scorpion": 1, "scropion": 1,
                             "dragon": 10}[enemy]
            self.expect("enemy panel", self.w.panel("enemy"),
                        f"Enemy's Hit Points: {enemy}: {self.enemy_hp}")
            self.expect("enemy panel enabled", self.w.enabled(self.w.panels["enemy"]), True)
        else:
            self.expect("enemy panel enabled", self.w.enabled(self.w.panels["enemy"]), False)
        self.expect_buttons(BUTTONS)
        self.log(f"  {button}: {word}({room[0]},{room[1]}){outcome}; HP {self.hp}")
        return True

    def attack(self, enemy):
        """One Attack on a living enemy. Returns 'dead', 'alive' or 'ended'."""
        before = self.w.text("Narrative")
        action_before = self.w.text("Last Action")
        self.w.press_button("Attack")
        if self._ended_by_blow(action_before, enemy):
            return "ended"
        # Attack never writes the last action.
        self.expect("last action after Attack", self.w.text("Last Action"), action_before)
        narrative = self.w.text("Narrative")
        self.expect_true(f"narrative after Attack keeps the old text: {narrative!r}",
                         narrative.startswith(before))
        added = narrative[len(before):]
        m = self.expect_match(
            "text added by Attack",
            re.escape("You attacked the enemy. It lost ") + r"(\d+)" + re.escape(" HP. ") +
            "(?:(" + re.escape("It is now dead. ") + ")|" + re.escape(
                f"The {enemy} attacked you. You lost ") + r"(\d+)" + re.escape(" HP. ") + ")",
            added)
        damage = int(m.group(1))
        self.expect_true(f"attack damage {damage} within {ATTACK}",
                         ATTACK[0] <= damage <= ATTACK[1])
        self.attacks.append(damage)
        self.enemy_hp -= damage
        if m.group(2):
            self.expect_true(f"the {enemy} dies only when its hit points are gone "
                             f"({self.enemy_hp} left)", self.enemy_hp <= 0)
            self.enemy_hp = 0
            self.expect("enemy panel after a kill", self.w.panel("enemy"),
                        "Enemy's Hit Points: 0")
            self.expect("enemy panel enabled after a kill",
                        self.w.enabled(self.w.panels["enemy"]), False)
            self.expect_hp()
            self.expect_buttons(BUTTONS)
            self.log(f"  Attack: hit for {damage}, the {enemy} is dead; HP {self.hp}")
            return "dead"
        self.expect_true(f"the {enemy} lives only with hit points left ({self.enemy_hp})",
                         self.enemy_hp > 0)
        self._blow(enemy, int(m.group(3)))
        self.expect_hp()
        self.expect("enemy panel", self.w.panel("enemy"),
                    f"Enemy's Hit Points: {enemy}: {self.enemy_hp}")
        self.expect("enemy panel enabled", self.w.enabled(self.w.panels["enemy"]), True)
        self.expect_buttons(BUTTONS)
        self.log(f"  Attack: hit for {damage}, the {enemy} has {self.enemy_hp} left and struck "
                 f"back for {m.group(3)}; HP {self.hp}")
        return "alive"

    def _blow(self, enemy, damage):
        low, high = BLOW[enemy]
        self.expect_true(f"a {enemy}'s blow of {damage} within {low}..{high}",
                         low <= damage <= high)
        self.hp -= damage
        self.blows_taken.append((enemy, damage))
        self.expect_true(f"the player lives after a blow only with hit points left ({self.hp})",
                         self.hp > 0)

    def _ended_by_blow(self, last_action, enemy):
        """After a press: True when a blow ended the game (the question is shown).

        Then checks the end of the game as the player sees it: the narrative
        holds only the cause, the hit points panel the final hit points, which a
        blow of this enemy from the known hit points explains.
        """
        narrative = self.w.text("Narrative")
        box = self.w.alert("New Game")
        if narrative != "You died from an enemy's attack. ":
            self.expect_true(f"no play-again question while the game goes on "
                             f"(narrative {narrative!r})", box is None)
            return False
        self.expect_true("a blow can end the game only where an enemy is", enemy is not None)
        name = self.w.panel("hp")
        m = self.expect_match("hit points panel at the end", r"Hit Points: (-?\d+)", name)
        final = int(m.group(1))
        low, high = BLOW[enemy]
        self.expect_true(f"final hit points {final} come from one {enemy}'s blow "
                         f"from {self.hp}", final <= 0 and low <= self.hp - final <= high)
        self.blows_taken.append((enemy, self.hp - final))
        self.hp = final
        if last_action is not None:
            self.expect("last action at the end", self.w.text("Last Action"), last_action)
        self.deaths += 1
        self.log(f"  the {enemy} struck for {self.blows_taken[-1][1]}: "
                 f"'You died from an enemy's attack. ', HP {final}")
        return True

    # --------------------------------------------------------- the end of a game

    def play_again_box(self):
        """The play-again question: its title, text, buttons and default."""
        pa = self.w.pyatspi
        box = wait_for("the message box 'New Game'", lambda: self.w.alert("New Game"))
        # A label's accessible name is the text it shows.
        labels = self.w._all(box, lambda a: a.getRole() == pa.ROLE_LABEL and a.name != "")
        self.expect("text of the box 'New Game'", [a.name for a in labels], [PLAY_AGAIN])
        buttons = self.w._all(box, lambda a: a.getRole() == pa.ROLE_PUSH_BUTTON)
        self.expect("buttons of the box 'New Game'", sorted(b.name for b in buttons),
                    ["No", "Yes"])
        yes = [b for b in buttons if b.name == "Yes"][0]
        no = [b for b in buttons if b.name == "No"][0]
        self.expect("Yes is the default button", yes.getState().contains(pa.STATE_IS_DEFAULT),
                    True)
        return box, yes, no

    def answer_yes(self):
        """Yes to the play-again question: a new game in the same window."""
        _, yes, _ = self.play_again_box()
        self.w.press(yes, "Yes in 'New Game'")
        wait_for("the message box 'New Game' to close",
                 lambda: self.w.alert("New Game") is None)
        self.expect_opening(first=False)

    def answer_no(self):
        """No to the play-again question: the program ends at once."""
        _, _, no = self.play_again_box()
        self.w.press(no, "No in 'New Game'", ends_program=True)

    # ------------------------------------------------------------ whole routes

    def fight_the_goblin(self):
        """North twice from the start to the goblin, then Attack until one side is
        dead. Returns 'dead' (the goblin) or 'ended' (the player; the play-again
        question is shown)."""
        self.move("North", "Went north", (1, 3), ROOM_1_3)
        if not self.move("North", "Went north", (2, 3), ROOM_2_3, enemy="goblin"):
            raise Failure("the goblin cannot kill a player with 35 hit points at one blow")
        for _ in range(2):  # 6 hit points, at least 3 a blow: two attacks kill it
            outcome = self.attack("goblin")
            if outcome != "alive":
                return outcome
        raise Failure("the goblin survived two attacks")

    def back_to_the_entrance(self):
        """From the goblin's room, dead goblin, back to the start room."""
        self.move("South", "Went south", (1, 3), ROOM_1_3)
        self.move("South", "Went south", (0, 3), ROOM_0_3)

    def die_at_the_snake(self):
        """From the start room, back and forth past the snake next door (which is
        never attacked) until one of its blows kills; the play-again question is
        then shown. Each round trip costs at least one blow of 2 or more, so a
        player with at most 35 hit points dies within 18 round trips."""
        for _ in range(18):
            if not self.move("West", "Went west", (0, 2), ROOM_0_2, enemy="snake"):
                return
            if not self.leave("East", "Went east", (0, 3), ROOM_0_3, leaving="snake"):
                return
        raise Failure(f"still alive with {self.hp} hit points after 18 round trips "
                      f"past the snake")
