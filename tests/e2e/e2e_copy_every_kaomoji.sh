#!/bin/bash
# Every kaomoji of the catalogue, reached with real clicks and arrow keys in the real program,
# arrives on the X clipboard byte for byte, as read by another process.
source "$(dirname "$0")/lib.sh"
: "${CATALOGUE_DUMP:?set CATALOGUE_DUMP to the catalogue_dump tool}"

start_display
write_settings Showlogo=2
start_pukalo
win=$(wait_window "プカロ！")

# Client-area points (pixels) of the controls the test uses.
COMBO_X=330 COMBO_Y=12
LIST1_X=30 LIST3_X=250 FIRST_ROW_Y=38
LIST2_X=140

mapfile -t rows < <("$CATALOGUE_DUMP")
[[ ${#rows[@]} -eq 175 ]] || fail "catalogue has ${#rows[@]} rows"

copied=0
current_category=
column=
for line in "${rows[@]}"; do
    IFS=$'\t' read -r category col row kaomoji <<<"$line"
    # read strips outer blanks from the last field; take the kaomoji as it really is.
    kaomoji=${line#*$'\t'*$'\t'*$'\t'}
    if [[ $category != "$current_category" ]]; then
        # The next entry of the drop-down list, picked with the arrow key.
        click_client "$win" $COMBO_X $COMBO_Y
        xdotool key --clearmodifiers Down
        current_category=$category
        column=
    fi
    if [[ $col != "$column" ]]; then
        x=$LIST1_X
        [[ $col == R ]] && x=$LIST3_X
        click_client "$win" "$x" $FIRST_ROW_Y
        column=$col
    else
        # Down onto the spacer (nothing happens), then down onto the next kaomoji.
        xdotool key --clearmodifiers Down Down
    fi
    wait_clipboard "$kaomoji" 30 ||
        fail "$category $col$row: expected [$kaomoji], clipboard has [$(clipboard)]"
    copied=$((copied + 1))
done
[[ $copied -eq 175 ]] || fail "copied $copied kaomoji"
echo "all 175 kaomoji copied exactly"

# Spacer entries and description rows change nothing, by keyboard or by mouse. The category
# "その他１" is on show and the clipboard holds the last kaomoji of its right column.
last=$(clipboard)
xdotool key --clearmodifiers Up          # onto a spacer entry
sleep 0.3
clipboard_is "$last" || fail "a spacer entry reached by key changed the clipboard"
click_client "$win" $LIST2_X $FIRST_ROW_Y # a description
sleep 0.3
clipboard_is "$last" || fail "clicking a description changed the clipboard"
click_client "$win" $LIST1_X 220          # below the last row of List1
sleep 0.3
clipboard_is "$last" || fail "clicking below the rows changed the clipboard"

# A pick from the drop-down list with the mouse loads like the arrow keys do: "笑顔１" is the
# first entry of the list that opens under the field.
click_client "$win" 400 12               # the arrow of the drop-down box
sleep 0.5
xdotool key --clearmodifiers Home         # scrolls the open list to its top
sleep 0.2
click_client "$win" 320 32
click_client "$win" $LIST1_X $FIRST_ROW_Y
wait_clipboard "(^^)" 30 || fail "picking 笑顔１ from the list: clipboard has [$(clipboard)]"
echo "spacers and descriptions change nothing"
