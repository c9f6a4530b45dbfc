# Checks of an installed tree, sourced by check_install.sh and check_deb.sh.
#   check_tree ROOT APP_ID SIZES   (ROOT holds bin/ and share/; SIZES "32,64")
check_tree() {
    local root=$1 id=$2 sizes=$3 failed=0
    local wanted=(
        "bin/morvint"
        "share/applications/$id.desktop"
        "share/metainfo/$id.metainfo.xml"
    )
    local size
    for size in ${sizes//,/ }; do
        wanted+=("share/icons/hicolor/${size}x${size}/apps/$id.png")
    done
    local file
    for file in "${wanted[@]}"; do
        if [ ! -s "$root/$file" ]; then
            echo "missing or empty: $file" >&2
            failed=1
        fi
    done
    if [ -e "$root/bin/morvint" ] && [ ! -x "$root/bin/morvint" ]; then
        echo "bin/morvint is not executable" >&2
        failed=1
    fi
    for size in ${sizes//,/ }; do
        file="$root/share/icons/hicolor/${size}x${size}/apps/$id.png"
        [ -s "$file" ] || continue
        # A PNG's IHDR holds its width and height as big-endian 32-bit numbers.
        local dims
        dims=$(od -An -tu1 -j16 -N8 "$file" | tr -s ' ' | sed 's/^ //')
        local b=($dims)
        local w=$(((b[0] << 24) | (b[1] << 16) | (b[2] << 8) | b[3]))
        local h=$(((b[4] << 24) | (b[5] << 16) | (b[6] << 8) | b[7]))
        if [ "$(head -c 8 "$file" | od -An -tx1 | tr -d ' \n')" != 89504e470d0a1a0a ] ||
            [ "$w" != "$size" ] || [ "$h" != "$size" ]; then
            echo "$file is not a ${size}x${size} PNG (${w}x${h})" >&2
            failed=1
        fi
    done
    if [ -s "$root/share/applications/$id.desktop" ] &&
        ! grep -qx "Icon=$id" "$root/share/applications/$id.desktop"; then
        echo "the desktop entry does not name the icon $id" >&2
        failed=1
    fi
    if [ -s "$root/share/metainfo/$id.metainfo.xml" ] &&
        ! grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" \
            "$root/share/metainfo/$id.metainfo.xml"; then
        echo "the metainfo does not launch $id.desktop" >&2
        failed=1
    fi
    return $failed
}
