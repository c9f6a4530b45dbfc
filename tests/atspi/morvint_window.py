"""The game's main window as a screen reader sees it, and a player that checks
every press against what the game must show.

Everything here goes through the accessibility interface: names, descriptions,
texts, states and actions. Nothing reads the program's memory or its drawing.
"""

import re
import time
import warnings

from morvint_session import Failure, log, wait_for

# pyatspi still calls a few deprecated libatspi functions; they work.
warnings.filterwarnings("ignore", category=DeprecationWarning)
import pyatspi  # noqa: E402

BUTTONS = ["North", "South", "East", "West", "Attack", "Drink", "Cross", "Pick Up", "Unlock",
           "Use"]
BOXES = ["Narrative", "Last Action", "Items"]
# Each status panel is found by its description, its tool tip.
PANELS = {"hp": "Hit Points", "enemy": "Enemy's Hit Points", "time": "Total Time"}
# Menu: {item name: its shortcut as the bus gives it}
MENUS = {"File": {"Undo": "Alt+Backspace", "New": "F2", "Exit": "Ctrl+Q"},
         "Help": {"About...": ""}}

OPENING = ("You are in a small room at the entrance of a maze. You have to find the gold and "
           "get out without dying. You can go north or west. ")
FIRST_MOVE = " You have first move. You can leave or attack. If you leave, you might be attacked. "
DIED = "You died from an enemy's attack. "

# The enemies met on the way: hit points, and the damage of one blow.
ENEMIES = {"goblin": (6, range(3, 8)), "snake": (2, range(2, 7))}
ATTACK = range(3, 7)

ROOM_0_2 = "You can go west or east. "
ROOM_0_3 = "You can go north or west. "
ROOM_1_3 = ("You can go north or south. There is a potion in the middle of the room but drink "
            "it at your own risk. ")
ROOM_2_3 = "You can go any direction. "


def find_all(root, predicate):
    found, stack = [], [root]
    while stack:
        node = stack.pop()
        if node is not None and node is not root and predicate(node):
            found.append(node)
        if node is not None:
            stack.extend(node.getChildAtIndex(i) for i in range(node.childCount - 1, -1, -1))
    return found


def find_one(root, role, name=None, description=None):
    found = find_all(root, lambda a: a.getRole() == role and name in (None, a.name)
                     and description in (None, a.description))
    if len(found) != 1:
        raise Failure(f"expected one {pyatspi.Role(role)!s} named {name!r} described "
                      f"{description!r}, found {len(found)}")
    return found[0]


def enabled(acc):
    return acc.getState().contains(pyatspi.STATE_ENABLED)


class GameWindow:
    """Finds the controls of the main window once and reads them on demand."""

    def __init__(self, app):
        self.app = app
        self.presses = 0
        self.frame = wait_for("the main window 'Morvint' with its controls", self._find_frame)
        self.buttons = {n: find_one(self.frame, pyatspi.ROLE_PUSH_BUTTON, n) for n in BUTTONS}
        self.boxes = {n: find_one(self.frame, pyatspi.ROLE_TEXT, n) for n in BOXES}
        self.panels = {key: find_one(self.frame, pyatspi.ROLE_LABEL, description=d)
                       for key, d in PANELS.items()}
        self.menus = {name: find_one(find_one(self.frame, pyatspi.ROLE_MENU_ITEM, menu),
                                     pyatspi.ROLE_MENU_ITEM, name)
                      for menu, items in MENUS.items() for name in items}

    def _find_frame(self):
        frames = [c for c in self.app if c is not None and c.getRole() == pyatspi.ROLE_FRAME
                  and c.name == "Morvint"]
        # The window is ready once its last control exists.
        if len(frames) == 1 and find_all(frames[0], lambda a: a.name == "Last Action"):
            return frames[0]
        return None

    def alert(self, name):
        """The message box (role alert) of that title, or None."""
        return next((c for c in self.app if c is not None and c.getRole() == pyatspi.ROLE_ALERT
                     and c.name == name), None)

    def text(self, box):
        text = self.boxes[box].queryText()
        return text.getText(0, text.characterCount)

    def panel(self, key):
        return self.panels[key].name

    def enabled_buttons(self):
        return [name for name in BUTTONS if enabled(self.buttons[name])]

    def press(self, acc, label, ends_program=False):
        """Presses a control through its Press action and waits until the click is done.

        The action clicks a moment later, and two presses inside that moment would
        make one click, so this waits until the control is no longer down. The
        click's handler has then run to its end, or to a modal box that it opened.
        """
        if not enabled(acc):
            raise Failure(f"cannot press {label!r}: it is not enabled")
        action = acc.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        if "Press" not in names:
            raise Failure(f"{label!r} offers no Press action (it offers {names})")
        self.presses += 1
        try:
            if not action.doAction(names.index("Press")):
                raise Failure(f"the Press action of {label!r} failed")
        except Exception:
            # The end of the program may come before the answer.
            if not ends_program:
                raise
        if not ends_program:
            wait_for(f"the press of {label!r} to end",
                     lambda: not acc.getState().contains(pyatspi.STATE_PRESSED))

    def press_button(self, name):
        self.press(self.buttons[name], name)

    def choose_menu(self, name):
        """Chooses a menu item through its Press action (the menu need not be open)."""
        self.press(self.menus[name], f"menu item {name}", ends_program=name == "Exit")


class Player:
    """Plays through a GameWindow and checks every result exactly.

    The game's draws are random, so each check accepts every outcome the rules
    allow and nothing else: a blow's damage must lie in the enemy's range and
    must be what the hit points panel lost, and so on. The player tracks the
    hit points and the enemy's hit points that the window must show.
    """

    def __init__(self, window, started_at):
        self.w = window
        self.started_at = started_at
        self.checks = 0
        self.hp = 35
        self.enemy_hp = None

    def expect(self, what, actual, wanted):
        if actual != wanted:
            raise Failure(f"{what}: expected {wanted!r}, got {actual!r}")
        self.checks += 1

    def expect_true(self, what, condition):
        self.expect(what, bool(condition), True)

    def expect_match(self, what, pattern, actual):
        m = re.fullmatch(pattern, actual)
        self.expect_true(f"{what}: {actual!r} does not match {pattern!r}", m)
        return m

    def expect_state(self, enabled_buttons, enemy=None, action=None):
        """Exactly these buttons enabled; the hit points; the enemy panel greyed,
        or showing the enemy's hit points; the last action, when given."""
        self.expect("enabled buttons", self.w.enabled_buttons(),
                    [b for b in BUTTONS if b in enabled_buttons])
        self.expect("hit points panel", self.w.panel("hp"), f"Hit Points: {self.hp}")
        self.expect("enemy panel enabled", enabled(self.w.panels["enemy"]), enemy is not None)
        if enemy:
            self.expect("enemy panel", self.w.panel("enemy"),
                        f"Enemy's Hit Points: {enemy}: {self.enemy_hp}")
        if action is not None:
            self.expect("last action", self.w.text("Last Action"), action)

    def expect_opening(self, first):
        """The window as a new game leaves it; only the first game shows "Enemy HP:"
        and no items."""
        self.hp, self.enemy_hp = 35, None
        self.expect("narrative", self.w.text("Narrative"), OPENING)
        self.expect_state(BUTTONS, action="Entered a maze")
        self.expect("hit points panel enabled", enabled(self.w.panels["hp"]), True)
        self.expect("time panel enabled", enabled(self.w.panels["time"]), True)
        # The clock ticks once a minute from the program's start; a new game puts
        # its panel back to 0:00. Before a minute has passed no tick can have come.
        if time.monotonic() - self.started_at < 55:
            self.expect("time panel", self.w.panel("time"), "Total Time: 0:00")
        else:
            self.expect_match("time panel", r"Total Time: \d+:[0-5]\d", self.w.panel("time"))
        if first:
            self.expect("enemy panel", self.w.panel("enemy"), "Enemy's Hit Points: Enemy HP:")
            self.expect("items", self.w.text("Items"), "")

    def expect_static_parts(self):
        """Descriptions and menu items that never change."""
        for way in ("North", "South", "East", "West"):
            self.expect(f"description of {way}", self.w.buttons[way].description,
                        f"Go {way.lower()}")
        for name, acc in {**self.w.buttons, **self.w.boxes}.items():
            self.expect_true(f"{name!r} has a description", acc.description)
        for items in MENUS.values():
            for name, shortcut in items.items():
                acc = self.w.menus[name]
                self.expect(f"menu item {name!r} enabled", enabled(acc), True)
                if shortcut:
                    self.expect(f"shortcut of {name!r}", acc.queryAction().getKeyBinding(0),
                                shortcut)

    def refused(self, button, refusal):
        """A press that a room with no living enemy refuses: one sentence more,
        the button disabled, the rest as it was."""
        before = self.w.text("Narrative")
        action = self.w.text("Last Action")
        buttons = [b for b in self.w.enabled_buttons() if b != button]
        enemy = self.w.panel("enemy")
        self.w.press_button(button)
        self.expect(f"narrative after refused {button}", self.w.text("Narrative"),
                    before + refusal)
        self.expect_state(buttons, action=action)
        self.expect("enemy panel after a refusal", self.w.panel("enemy"), enemy)
        log(f"  {button}: refused, {button} disabled")

    def move(self, button, room, description, enemy=None, leaving=None):
        """A move into `room` whose set-up writes `description`. `enemy` names the
        unhurt monster met there, `leaving` the living one in the room being left,
        which strikes first. Returns False when a blow ended the game."""
        word = f"Went {button.lower()}({room[0]},{room[1]})"
        old_action = self.w.text("Last Action")
        self.w.press_button(button)
        if self._ended_by_blow(old_action if leaving else word, leaving or enemy):
            return False
        pattern = re.escape(description)
        blow = r"You lost (\d+) HP\. "
        if enemy:
            pattern += re.escape(f"There is a {enemy} in the room. ") + "(?:" + re.escape(
                FIRST_MOVE) + "|" + re.escape(f"The {enemy} attacked you. ") + blow + ")"
        if leaving:
            pattern += re.escape("You were attcked when you left the room. ") + blow
        m = self.expect_match(f"narrative after {button} into {room}", pattern,
                              self.w.text("Narrative"))
        if m.groups() and m.group(1):
            self._blow(leaving or enemy, int(m.group(1)))
        self.enemy_hp = ENEMIES[enemy][0] if enemy else None
        self.expect_state(BUTTONS, enemy, action=word)
        log(f"  {word}; HP {self.hp}")
        return True

    def attack(self, enemy):
        """One Attack on a living enemy, which cannot kill. Returns True when the
        enemy died."""
        before = self.w.text("Narrative")
        action = self.w.text("Last Action")
        self.w.press_button("Attack")
        narrative = self.w.text("Narrative")
        self.expect_true(f"narrative after Attack keeps the old text: {narrative!r}",
                         narrative.startswith(before))
        m = self.expect_match(
            "text added by Attack", r"You attacked the enemy\. It lost (\d+) HP\. (?:(It is now "
            r"dead\. )|" + re.escape(f"The {enemy} attacked you. ") + r"You lost (\d+) HP\. )",
            narrative[len(before):])
        damage = int(m.group(1))
        self.expect_true(f"attack damage {damage} within {ATTACK}", damage in ATTACK)
        self.enemy_hp -= damage
        self.expect_true(f"the {enemy} dies exactly when its hit points are gone "
                         f"({self.enemy_hp} left)", bool(m.group(2)) == (self.enemy_hp <= 0))
        if m.group(2):
            self.enemy_hp = None
            self.expect("enemy panel after a kill", self.w.panel("enemy"),
                        "Enemy's Hit Points: 0")
        else:
            self._blow(enemy, int(m.group(3)))
        # Attack never writes the last action.
        self.expect_state(BUTTONS, None if m.group(2) else enemy, action=action)
        log(f"  Attack: hit for {damage}; the {enemy} has {max(self.enemy_hp or 0, 0)} left; "
            f"HP {self.hp}")
        return bool(m.group(2))

    def _blow(self, enemy, damage):
        self.expect_true(f"a {enemy}'s blow of {damage} within its range",
                         damage in ENEMIES[enemy][1])
        self.hp -= damage
        self.expect_true(f"the player lives after a blow only with hit points left ({self.hp})",
                         self.hp > 0)

    def _ended_by_blow(self, last_action, enemy):
        """After a press: True when a blow ended the game and the question is shown;
        then the narrative holds only the cause, and the hit points panel the final
        hit points, which one blow of this enemy from the known hit points explains."""
        if self.w.text("Narrative") != DIED:
            self.expect_true("no play-again question while the game goes on",
                             self.w.alert("New Game") is None)
            return False
        m = self.expect_match("hit points panel at the end", r"Hit Points: (-?\d+)",
                              self.w.panel("hp"))
        final = int(m.group(1))
        self.expect_true(f"final hit points {final} come from one {enemy}'s blow from "
                         f"{self.hp}", final <= 0 and self.hp - final in ENEMIES[enemy][1])
        self.hp = final
        self.expect("last action at the end", self.w.text("Last Action"), last_action)
        log(f"  the {enemy} struck: {DIED!r}, HP {final}")
        return True

    def play_again_box(self):
        """The play-again question: its text, Yes (the default) and No."""
        box = wait_for("the message box 'New Game'", lambda: self.w.alert("New Game"))
        # A label's accessible name is the text it shows.
        labels = find_all(box, lambda a: a.getRole() == pyatspi.ROLE_LABEL and a.name)
        self.expect("text of the box 'New Game'", [a.name for a in labels],
                    ["Would you like to play again?"])
        buttons = {b.name: b for b in find_all(
            box, lambda a: a.getRole() == pyatspi.ROLE_PUSH_BUTTON)}
        self.expect("buttons of the box 'New Game'", sorted(buttons), ["No", "Yes"])
        self.expect("Yes is the default button",
                    buttons["Yes"].getState().contains(pyatspi.STATE_IS_DEFAULT), True)
        return buttons

    def answer_yes(self):
        """Yes to the play-again question: a new game in the same window."""
        self.w.press(self.play_again_box()["Yes"], "Yes in 'New Game'")
        wait_for("the message box 'New Game' to close", lambda: self.w.alert("New Game") is None)
        self.expect_opening(first=False)

    def answer_no(self):
        """No to the play-again question: the program ends at once."""
        self.w.press(self.play_again_box()["No"], "No in 'New Game'", ends_program=True)

    def fight_the_goblin(self):
        """North twice from the start to the goblin, then Attack until it is dead:
        6 hit points, at least 3 a blow, and no blow of a goblin kills 35."""
        self.move("North", (1, 3), ROOM_1_3)
        self.move("North", (2, 3), ROOM_2_3, enemy="goblin")
        if not (self.attack("goblin") or self.attack("goblin")):
            raise Failure("the goblin survived two attacks")

    def back_to_the_entrance(self):
        self.move("South", (1, 3), ROOM_1_3)
        self.move("South", (0, 3), ROOM_0_3)

    def die_at_the_snake(self):
        """From the start room, back and forth past the snake next door (which is
        never attacked) until one of its blows kills; the play-again question is
        then shown. Each round trip costs at least one blow of 2 or more, so a
        player with at most 35 hit points dies within 18 round trips."""
        for _ in range(18):
            if not (self.move("West", (0, 2), ROOM_0_2, enemy="snake")
                    and self.move("East", (0, 3), ROOM_0_3, leaving="snake")):
                return
        raise Failure(f"still alive with {self.hp} hit points after 18 round trips")
