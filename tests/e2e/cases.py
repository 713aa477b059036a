"""End-to-end cases of brimzo.exe under Wine. Run one: cases.py NAME --exe E --prefix P."""

import argparse
import os
import re
import struct
import subprocess
import sys
import time
import zlib

sys.path.insert(0, os.path.dirname(__file__))
import harness  # noqa: E402
from harness import QUIT_BUTTON, Game, Picture  # noqa: E402
import model  # noqa: E402

KEYS = [("WINDOW", "PosX"), ("WINDOW", "PosY"), ("WINDOW", "FullScreen"),
        ("GAME", "LastLeaderName"), ("GAME", "SaveData1"), ("GAME", "SaveData2"),
        ("OPTIONS", "AnimationSpeed"), ("OPTIONS", "SelectedBall"), ("OPTIONS", "ShapeComplete"),
        ("OPTIONS", "BallMovement"), ("OPTIONS", "WrongMove"), ("OPTIONS", "Skin"),
        ("SOUND", "SelectedBall"), ("SOUND", "ShapeComplete"), ("SOUND", "BallMovement"),
        ("SOUND", "WrongMove"), ("LEADERS", "Data"), ("LEADERS", "CRC")]


SKIPPED = 77  # the exit code ctest takes for a skipped test


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def eventually(condition, timeout=5):
    deadline = time.time() + timeout
    while not condition():
        if time.time() > deadline:
            return False
        time.sleep(0.2)
    return True


def cell_origin(column, row):
    return 7 + 45 * column, 7 + 45 * row


def sprite(sheet, colour, frame):
    return sheet.block(40 * frame, 40 * colour, 40, 40)


def background(sheet, column, row):
    x, y = cell_origin(column, row)
    return sheet.block(x, y + 280, 40, 40)


def cell(screen, column, row):
    x, y = cell_origin(column, row)
    return screen.block(x, y, 40, 40)


def board_mismatch(screen, sheet, board, next_balls, selected=None):
    """The first cell that differs from the game state, or None. A selected ball may show any
    frame of its bounce."""
    announced = {(c, r): colour for c, r, colour in next_balls}
    for row in range(9):
        for column in range(9):
            colour = board[column + 9 * row]
            shown = cell(screen, column, row)
            if (column, row) == selected:
                if shown not in [sprite(sheet, colour, f) for f in range(7)]:
                    return "the selected ball at (%d, %d) bounces" % selected
                continue
            if (column, row) in announced:
                want = sprite(sheet, announced[(column, row)], 24)
            elif colour != model.EMPTY:
                want = sprite(sheet, colour, 0)
            else:
                want = background(sheet, column, row)
            if shown != want:
                return "cell (%d, %d) on screen" % (column, row)
    return None


def expect_board_on_screen(game, sheet, board, next_balls, selected=None, timeout=10):
    """Waits for the screen to show the board: animations take their time."""
    deadline = time.time() + timeout
    while True:
        mismatch = board_mismatch(game.capture(), sheet, board, next_balls, selected)
        if mismatch is None:
            return
        if time.time() > deadline:
            raise AssertionError(mismatch)
        time.sleep(0.2)


def saved_game_ini(mode, state, score, board, next_balls, extra=""):
    first, second = model.encode_saved_game(mode, state, score, board, next_balls)
    return "[GAME]\nSaveData1=%s\nSaveData2=%s\n%s" % (first, second, extra)


def saved(game):
    return model.decode_saved_game(game.value("GAME", "SaveData1"),
                                   game.value("GAME", "SaveData2"))


def first_start(game):
    """The deal from random state 0, and all eighteen keys at exit."""
    sheet = Picture(os.path.join(game.assets, "brimzo.png"))
    board, next_balls = model.new_game(model.Random(0))
    game.start()
    expect_board_on_screen(game, sheet, board, next_balls)
    check(game.quit() == 0, "exit code 0")
    check([(s, k) for s, k, _ in game.ini()] == KEYS, "sections and keys in order")
    stored = saved(game)
    check(stored["board"] == board and stored["next"] == next_balls, "the dealt game saved")
    check(stored["mode"] == 0 and stored["score"] == 0, "mode and score")


def case_first_start(args):
    """The 64-bit package unpacked into a fresh folder, started for the first time."""
    with Game(args.exe, args.assets, args.prefix, package=args.package) as game:
        first_start(game)


def wine32_refusal(launcher):
    """What keeps Wine's 32-bit half from running here, or None: the test lays its libraries
    over /usr/lib in a mount namespace of its own, then starts its 32-bit loader."""
    steps = (("the overlay mount in a mount namespace of its own", ["true"]),
             ("a start of Wine's 32-bit loader", ["/usr/lib/wine/wine", "--version"]))
    for step, command in steps:
        run = subprocess.run(launcher + command, capture_output=True, text=True, timeout=120)
        if run.returncode != 0:
            said = run.stderr.strip().splitlines() or ["exit code %d" % run.returncode]
            return "%s was refused (%s)" % (step, said[-1])
    return None


def skip_without_wine32(args, case):
    if not args.package_x86:
        print("%s: skipped, the 32-bit program is not built here" % case)
        sys.exit(SKIPPED)
    if not os.path.isfile(os.path.join(args.wine32, ".unpacked")):
        print("%s: skipped, no 32-bit Wine unpacked here (scripts/unpack-wine32.sh unpacks it "
              "where the kernel starts i386 programs)" % case)
        sys.exit(SKIPPED)


def case_first_start_x86(args):
    """The 32-bit package likewise, run by Wine's 32-bit half where this machine has it."""
    skip_without_wine32(args, "first_start_x86")
    launcher = harness.wine32_launcher(args.wine32)
    refused = wine32_refusal(launcher)
    if refused:
        print("first_start_x86: skipped, 32-bit Wine cannot run here: " + refused)
        sys.exit(SKIPPED)
    prefix = args.prefix + "-x86"
    make_prefix(prefix, launcher)
    with Game(args.exe, args.assets, prefix, package=args.package_x86, launcher=launcher) as game:
        first_start(game)


def case_first_start_x86_refused(args):
    """On a machine that refuses the overlay mount (a container without mount rights, here
    this one without the right to make a mount namespace), the 32-bit case is skipped with one
    line that names what was refused."""
    skip_without_wine32(args, "first_start_x86_refused")
    without = ["setpriv", "--bounding-set", "-sys_admin"]
    if subprocess.run(without + ["true"], capture_output=True).returncode != 0:
        print("first_start_x86_refused: skipped, no right to give up here")
        sys.exit(SKIPPED)
    command = [sys.executable, os.path.abspath(__file__), "first_start_x86", "--exe", args.exe,
               "--assets", args.assets, "--prefix", args.prefix, "--package-x86",
               args.package_x86, "--wine32", args.wine32]
    run = subprocess.run(without + command, capture_output=True, text=True, timeout=120)
    check(run.returncode == SKIPPED, "skipped: exit code %d, %r" % (run.returncode, run.stderr))
    check(run.stdout == "first_start_x86: skipped, 32-bit Wine cannot run here: the overlay "
          "mount in a mount namespace of its own was refused (unshare: unshare failed: "
          "Operation not permitted)\n", "one line naming it: %r" % run.stdout)


# A prepared game: four balls of colour 1 in row 4 wait for a fifth from (4, 0); the ball at
# (0, 0) is boxed in; the ball at (8, 8) has room to move.
PREPARED_STATE = 123456789


def prepared_board():
    board = [model.EMPTY] * 81
    for column in range(4):
        board[column + 9 * 4] = 1
    board[4 + 9 * 0] = 1
    board[0] = 5
    board[1] = 6
    board[9] = 4
    board[8 + 9 * 8] = 2
    return board


PREPARED_NEXT = [(2, 7, 3), (6, 1, 0), (8, 3, 6)]


def start_prepared_game(game, args):
    """Starts on the prepared game, saved, and sees it on the screen; gives the skin's sheet
    and the board."""
    sheet = Picture(os.path.join(args.assets, "brimzo.png"))
    board = prepared_board()
    game.write_ini(saved_game_ini(0, PREPARED_STATE, 40, board, PREPARED_NEXT))
    game.start()
    expect_board_on_screen(game, sheet, board, PREPARED_NEXT)
    return sheet, board


def case_saved_game(args):
    """Select, bounce, refuse, score a line, and spawn what the saved random state predicts,
    the last move played with the keyboard."""
    with Game(args.exe, args.assets, args.prefix) as game:
        sheet, board = start_prepared_game(game, args)

        game.click(*[v + 20 for v in cell_origin(8, 8)])  # select: the ball bounces
        bouncing = [sprite(sheet, 2, frame) for frame in range(1, 7)]
        seen = False
        for _ in range(20):
            seen = seen or cell(game.capture(), 8, 8) in bouncing
            if seen:
                break
            time.sleep(0.05)
        check(seen, "the selected ball bounces on screen")

        game.click(*[v + 20 for v in cell_origin(0, 0)])  # boxed in
        game.click(*[v + 20 for v in cell_origin(5, 5)])  # refused
        expect_board_on_screen(game, sheet, board, PREPARED_NEXT, selected=(0, 0))

        game.click(*[v + 20 for v in cell_origin(4, 0)])
        game.click(*[v + 20 for v in cell_origin(4, 4)])  # the fifth of the line
        for column in range(5):
            board[column + 9 * 4] = model.EMPTY
        board[4] = model.EMPTY
        expect_board_on_screen(game, sheet, board, PREPARED_NEXT)

        # the same kind of move by keys: the focus shows in the middle, goes to (8, 8), picks
        # the ball up, and sends it to (8, 6); no shape: the announced balls land
        game.key("Right", *["Right"] * 4, *["Down"] * 4, "Return", "Up", "Up", "Return",
                 window=game.window)
        board[8 + 9 * 8] = model.EMPTY
        board[8 + 9 * 6] = 2
        for column, row, colour in PREPARED_NEXT:
            board[column + 9 * row] = colour
        random = model.Random(PREPARED_STATE)
        next_balls = model.choose_next_balls(board, random)
        expect_board_on_screen(game, sheet, board, next_balls)
        check(game.quit() == 0, "exit code 0")
        stored = saved(game)
        check(stored["score"] == 45, "five for the line: 40 + 5, got %d" % stored["score"])
        check(stored["board"] == board, "the moved board is saved")
        check(stored["next"] == next_balls, "the spawn the saved random state predicts")
        check(stored["state"] == random.state, "the generator state runs on")


def framed_cells(before, after):
    """The cells whose keyboard-focus frame the second capture adds to the first, when the
    frames are all that changed: a band two pixels wide around each; otherwise None."""
    cells, changed = set(), 0
    for y in range(480):
        row = 3 * 640 * y
        for x in range(640):
            if before.data[row + 3 * x] == after.data[row + 3 * x]:
                continue
            changed += 1
            column, cell_row = (x - 5) // 45, (y - 5) // 45
            inside_x, inside_y = x - 5 - 45 * column, y - 5 - 45 * cell_row
            in_band = inside_x < 44 and inside_y < 44 and not (
                2 <= inside_x < 42 and 2 <= inside_y < 42)
            if not (0 <= column <= 8 and 0 <= cell_row <= 8 and in_band):
                return None
            cells.add(column + 9 * cell_row)
    return sorted(cells) if changed == 336 * len(cells) else None


def case_assist(args):
    """H frames the computer's move, a ball and an empty cell; that move played and taken back
    with Ctrl+Z leaves the game as it was, saved and marked assisted. W plays a demo on the
    screen; a click gives the player's game back, which is what the next exit saves."""
    with Game(args.exe, args.assets, args.prefix) as game:
        sheet, board = start_prepared_game(game, args)
        start = game.capture()
        game.key("h", window=game.window)
        cells = []

        def two_framed():
            cells[:] = framed_cells(start, game.capture()) or []
            return len(cells) == 2

        check(eventually(two_framed), "two cells framed")
        ball, target = (cells[1], cells[0]) if board[cells[0]] == model.EMPTY else cells
        check(board[ball] != model.EMPTY and board[target] == model.EMPTY,
              "a ball and an empty cell framed: %r" % cells)
        game.click(*[v + 20 for v in cell_origin(ball % 9, ball // 9)])
        game.click(*[v + 20 for v in cell_origin(target % 9, target // 9)])
        check(eventually(lambda: cell(game.capture(), ball % 9, ball // 9) ==
                         background(sheet, ball % 9, ball // 9)), "the ball moved")
        game.key("ctrl+z", window=game.window)
        expect_board_on_screen(game, sheet, board, PREPARED_NEXT)
        check(game.quit() == 0, "exit code 0")
        stored = saved(game)
        check(stored["board"] == board and stored["next"] == PREPARED_NEXT and
              stored["state"] == PREPARED_STATE and stored["score"] == 40,
              "the game before the move saved")
        check(game.value("GAME", "Assisted") == "1", "marked assisted")

        game.start()
        expect_board_on_screen(game, sheet, board, PREPARED_NEXT)
        shown = game.capture()
        game.key("w", window=game.window)
        check(eventually(lambda: cell(game.capture(), 0, 4) != cell(shown, 0, 4) or
                         cell(game.capture(), 4, 0) != cell(shown, 4, 0)), "the demo's board")
        dealt = game.capture()
        check(eventually(lambda: game.capture().data != dealt.data, timeout=15), "the demo moves")
        game.click(500, 400)
        expect_board_on_screen(game, sheet, board, PREPARED_NEXT)
        check(game.quit() == 0, "exit code 0")
        stored = saved(game)
        check(stored["board"] == board and stored["state"] == PREPARED_STATE,
              "the player's game saved, not the demo's")
        check(game.value("GAME", "Assisted") == "1", "still marked assisted")


def case_mode_drag_gap(args):
    """A mode button deals a new game; a right drag moves the window; a gap does nothing."""
    board = prepared_board()
    with Game(args.exe, args.assets, args.prefix) as game:
        extra = "[WINDOW]\nPosX=100\nPosY=60\n"
        game.write_ini(saved_game_ini(0, PREPARED_STATE, 40, board, PREPARED_NEXT, extra))
        game.start()
        check(game.origin == (100, 60), "the window where the file says: %r" % (game.origin,))
        game.click(47, 20)  # the first pixel column of a gap
        game.click(20, 47)
        game.drag((300, 300), (350, 320))  # right button, over the board
        game.origin = game.window_position()
        check(game.origin == (150, 80), "dragged to %r" % (game.origin,))
        game.click(434 + 120 + 30, 120)  # Groups
        time.sleep(0.3)
        check(game.quit() == 0, "exit code 0")
        check(game.value("WINDOW", "PosX") == "150" and game.value("WINDOW", "PosY") == "80",
              "the dragged position stored")
        stored = saved(game)
        new_board, new_next = model.new_game(model.Random(PREPARED_STATE))
        check(stored["mode"] == 2, "mode Groups stored")
        check(stored["board"] == new_board and stored["next"] == new_next,
              "a new game dealt from the saved random state")
        check(stored["score"] == 0, "a new game starts at 0")


def message_boxes(game):
    return [w for w in game.windows("^Brimzo!") if w != game.window]


def case_share(args):
    """Ctrl+C puts the game's code on the clipboard in a line for a chat, where other programs
    read it. After a new game, a link with that code, copied by another program, asks on Ctrl+V
    and plays that very game; an ordinary link or a long word pasted then does nothing. The
    game taken is what is saved at exit."""
    board = prepared_board()
    with Game(args.exe, args.assets, args.prefix) as game:
        game.write_ini(saved_game_ini(1, PREPARED_STATE, 40, board, PREPARED_NEXT))
        game.start()
        game.key("ctrl+c", window=game.window)
        line = game.clipboard()
        code = re.fullmatch(r"Brimzo game, Squares, score 40: ([A-Za-z0-9_-]{62})", line)
        check(code, "the game's line on the clipboard: %r" % line)
        game.click(434 + 30, 120)  # Lines: another game
        game.set_clipboard("https://brimzo.example.org/#" + code.group(1))
        # Wine's clipboard takes another program's text a moment after it is copied
        asked = False
        for _ in range(10):
            game.key("ctrl+v", window=game.window)
            asked = eventually(lambda: message_boxes(game), 1)
            if asked:
                break
        check(asked, "the link with the code asks")
        game.dismiss_message("Brimzo!", says="Play the shared game? Your game in progress ends.")
        for text in ("https://example.org/some/long/path/"
                     "page_with_a_long_name-and-more-words-in-it-too.html",
                     "one_long_word_of_letters_and_underscores_only_abcdefgh"):
            game.set_clipboard(text)
            time.sleep(1)  # many times what Wine takes to follow
            game.key("ctrl+v", window=game.window)
            check(not eventually(lambda: message_boxes(game), 2), "%r does nothing" % text)
        check(game.quit() == 0, "exit code 0")
        check(saved(game) == {"mode": 1, "state": PREPARED_STATE, "score": 40, "board": board,
                              "next": PREPARED_NEXT}, "the shared game saved: %r" % saved(game))


def case_depth_8(args):
    """A palette display ends the game with the colour-depth message and writes nothing."""
    with Game(args.exe, args.assets, args.prefix, depth=8) as game:
        original = saved_game_ini(1, 7, 3, prepared_board(), PREPARED_NEXT,
                                  "[OPTIONS]\nAnimationSpeed=77\n")
        game.write_ini(original)
        before = game.ini_bytes()
        game.start(wait_for_window=False)
        game.dismiss_message("Brimzo Error!")
        check(game.wait() == 1, "exit code 1")
        check(game.ini_bytes() == before, "brimzo.ini byte for byte as it was")


def case_full_screen(args):
    """Under Xvfb there is no 640 x 480 mode: a stored FullScreen starts in a window, and
    Alt+Enter and the full-screen button show the refusal."""
    with Game(args.exe, args.assets, args.prefix) as game:
        game.write_ini("[WINDOW]\nPosX=40\nPosY=30\nFullScreen=1\n")
        game.start()
        check(game.origin == (40, 30), "windowed at its place: %r" % (game.origin,))
        game.key("alt+Return", window=game.window)
        game.dismiss_message("Brimzo!")
        game.click(610, 10)
        game.dismiss_message("Brimzo!")
        check(game.window_position() == (40, 30), "nothing switched")
        check(game.quit() == 0, "exit code 0")
        check(game.value("WINDOW", "FullScreen") == "0", "FullScreen 0 stored")


def shapeless_board(empty):
    """A full board where no two neighbours share a colour, but for the given empty cells."""
    board = [(column + 2 * row) % 7 for row in range(9) for column in range(9)]
    for column, row in empty:
        board[column + 9 * row] = model.EMPTY
    return board


def leader_line_on_screen(screen, sheet, line, text):
    for k, char in enumerate(text):
        code = ord(char) - 32
        want = sheet.block(640 + 15 * (code % 16), 320 + 25 * (code // 16), 15, 25)
        if screen.block(420 + 15 * k, 155 + 25 * line, 15, 25) != want:
            return False
    return True


def leader_lines(data, mode):
    block = bytes.fromhex(data)
    return [block[150 * mode + 15 * i:150 * mode + 15 * i + 14].decode("latin-1")
            for i in range(10)]


def case_name_entry(args):
    """A qualifying game over asks for a name until it is valid, in length and in letters; it
    enters the table."""
    sheet = Picture(os.path.join(args.assets, "brimzo.png"))
    empty = [(0, 0), (4, 2), (8, 4), (2, 6), (6, 8)]
    next_balls = [(4, 2, 0), (8, 4, 0), (2, 6, 0)]
    with Game(args.exe, args.assets, args.prefix) as game:
        game.write_ini(saved_game_ini(0, 99, 250, shapeless_board(empty), next_balls,
                                      "[WINDOW]\nPosX=50\nPosY=40\n"))
        game.start()
        game.click(*[v + 20 for v in cell_origin(1, 0)])
        game.click(*[v + 20 for v in cell_origin(0, 0)])  # the last spawn: the game is over
        dialog = game.find_window("^Brimzo!$", besides=[game.window])
        game.expect_over_game(dialog)
        game.type_text("ABCDEFGHI")
        game.key("Return", window=dialog)
        game.dismiss_message("Brimzo! warning")  # "Maximum length is 8 characters!"
        game.key("Escape", window=dialog)
        check(not game.wait_gone(dialog, "^Brimzo!$", timeout=1.5), "Escape leaves it open")
        game.key(*["BackSpace"] * 9, window=dialog)
        game.type_text("Иван")  # letters the code page lacks are no latin letters either
        game.key("Return", window=dialog)
        game.dismiss_message("Brimzo! warning")  # "Please use only latin letters!"
        game.key(*["BackSpace"] * 4, window=dialog)
        game.type_text("Zed")
        game.key("Return", window=dialog)
        check(game.wait_gone(dialog, "^Brimzo!$"), "a valid name closes the dialog")
        screen = game.capture()
        check(leader_line_on_screen(screen, sheet, 0, "Zed      00250"), "the new line on top")
        check(leader_line_on_screen(screen, sheet, 1, "Brimzo!  00100"), "the rest moved down")
        check(game.quit() == 0, "exit code 0")
        lines = leader_lines(game.value("LEADERS", "Data"), 0)
        check(lines[0] == "Zed      00250", "the table stored: %r" % lines[0])
        check(lines[9] == "Brimzo!  00100", "ten lines kept")
        check(game.value("GAME", "LastLeaderName") == "Zed", "the name kept for next time")
        check(saved(game)["score"] == 0, "a new game after the game over")


def case_session_end(args):
    """Windows ends the session while a qualifying score's name is typed: the score takes its
    place under the name typed so far, and the next game is what is saved."""
    empty = [(0, 0), (4, 2), (8, 4), (2, 6), (6, 8)]
    with Game(args.exe, args.assets, args.prefix) as game:
        game.write_ini(saved_game_ini(0, 99, 250, shapeless_board(empty),
                                      [(4, 2, 0), (8, 4, 0), (2, 6, 0)], "LastLeaderName=Old\n"))
        game.start()
        game.click(*[v + 20 for v in cell_origin(1, 0)])
        game.click(*[v + 20 for v in cell_origin(0, 0)])  # the last spawn: the game is over
        dialog = game.find_window("^Brimzo!$", besides=[game.window])
        game.key("ctrl+a", window=dialog)
        game.type_text("Bo")
        subprocess.run(["wineboot", "--end-session"], env=game.env(), check=True, timeout=60)
        check(game.wait() == 0, "the game ends with the session")
        check(leader_lines(game.value("LEADERS", "Data"), 0)[0] == "Bo       00250",
              "the score in its table under the name typed so far")
        stored = saved(game)
        check(stored["score"] == 0 and sum(c != model.EMPTY for c in stored["board"]) == 5,
              "the next game saved, not the finished board")


def open_options(game):
    game.click(630, 30)
    dialog = game.find_window("^Options$")
    game.expect_over_game(dialog)
    return dialog


def colour_count(picture, x, y, width, height, colour):
    rows = picture.block(x, y, width, height)
    return sum(1 for row in rows for i in range(0, len(row), 3) if tuple(row[i:i + 3]) == colour)


def about_links_light_up(game):
    game.click(590, 30)
    about = game.find_window("^About Brimzo!$")
    game.expect_over_game(about)
    link, lit = (0, 0, 255), (51, 102, 255)
    game.origin = game.window_position(about)  # captures of the dialog's corner
    shot = game.capture()
    check(colour_count(shot, 0, 0, 290, 180, lit) == 0, "none lit yet")
    # the first link's text is the first blue right of the icon, from the top
    first = next(((x, y) for y in range(180) for x in range(60, 290)
                  if shot.block(x, y, 1, 1)[0] == bytes(link)), None)
    check(first is not None, "the links drawn in blue")
    game.move(first[0] + 1, first[1] + 2)  # over it
    check(eventually(lambda: colour_count(game.capture(), 0, 0, 290, 180, lit) > 0),
          "the link under the pointer lights up")
    game.move(20, 170)  # off it, onto the dialog itself beside the Ok button
    check(eventually(lambda: colour_count(game.capture(), 0, 0, 290, 180, lit) == 0),
          "and goes back to blue")
    game.key("Escape", window=about)
    check(game.wait_gone(about, "^About Brimzo!$"), "Escape closes About")
    game.origin = game.window_position()


def case_dialogs(args):
    """About's links light up under the pointer. Options: a new speed, a silenced sound and the
    other skin, shown at once; Change picks a wave file for its row's slot, a cancelled choice
    keeps the old one; all stored at exit."""
    brimzo = Picture(os.path.join(args.assets, "brimzo.png"))
    meadow = Picture(os.path.join(args.assets, "meadow.png"))
    with Game(args.exe, args.assets, args.prefix) as game:
        game.write_ini("[WINDOW]\nPosX=120\nPosY=90\n")
        game.start()
        check(game.capture().block(420, 420, 200, 30) == brimzo.block(420, 700, 200, 30),
              "the default skin first")
        about_links_light_up(game)
        dialog = open_options(game)
        game.key("shift+Tab", window=dialog)  # from Ok back to the speed field
        game.type_text("250")
        game.key(*["Tab"] * 3)  # Ok, Selected Ball, Shape Complete
        game.key("space")
        game.key(*["Tab"] * 11)  # on through the rows to the enabled skin button
        game.key("space")
        check(eventually(lambda: game.capture().block(420, 420, 200, 30) ==
                         meadow.block(420, 700, 200, 30)),
              "the window behind the dialog shows the other skin at once")
        game.key("Escape", window=dialog)  # applies as Ok does
        check(game.wait_gone(dialog, "^Options$"), "Escape closes the dialog")

        dialog = open_options(game)
        game.key(*["Tab"] * 10, window=dialog)  # Change of row 2, "Shape Complete": slot 3
        game.key("space")
        chooser = game.find_window("^Select Sound File$")
        game.type_text("jump.wav")
        game.key("Return", window=chooser)
        check(game.wait_gone(chooser, "^Select Sound File$"), "a chosen file closes the chooser")
        game.key(*["Tab"] * 2, window=dialog)  # Change of row 4, "Wrong Move": slot 1
        game.key("space")
        chooser = game.find_window("^Select Sound File$")
        game.key("Escape", window=chooser)
        check(game.wait_gone(chooser, "^Select Sound File$"), "Escape cancels the chooser")
        game.key("Escape", window=dialog)
        check(game.wait_gone(dialog, "^Options$"), "the Options dialog closes")
        check(game.quit() == 0, "exit code 0")
        check(game.value("OPTIONS", "AnimationSpeed") == "250", "the new speed stored")
        check(game.value("OPTIONS", "WrongMove") == "0", "Shape Complete (slot 3) switched off")
        for key in ("SelectedBall", "ShapeComplete", "BallMovement"):
            check(game.value("OPTIONS", key) == "1", "%s still on" % key)
        check(game.value("OPTIONS", "Skin") == "meadow.png", "the other skin stored")
        chosen = game.value("SOUND", "WrongMove")
        check(chosen.lower().endswith("\\jump.wav") and len(chosen) > len("jump.wav"),
              "slot 3 holds the chosen file's full path: %r" % chosen)
        check(game.value("SOUND", "ShapeComplete") == "cantmove.wav", "a cancelled choice")
        check(game.value("SOUND", "SelectedBall") == "jump.wav", "other rows untouched")


def case_hostile_skins(args):
    """A device or a header of a million by a million pixels as the skin: the game starts at
    once with brimzo.png. Without brimzo.png it says so, and goes on."""
    sheet = Picture(os.path.join(args.assets, "brimzo.png"))
    board, next_balls = model.new_game(model.Random(0))
    for skin in ("COM1", "huge.png"):
        with Game(args.exe, args.assets, args.prefix) as game:
            with open(os.path.join(game.folder, "huge.png"), "wb") as huge:
                huge.write(header_only_png(1000000, 1000000))
            game.write_ini("[OPTIONS]\nSkin=%s\n" % skin)
            game.start()
            expect_board_on_screen(game, sheet, board, next_balls)
            check(game.quit() == 0, "exit code 0")
            check(game.value("OPTIONS", "Skin") == skin, "the setting kept: %s" % skin)
    with Game(args.exe, args.assets, args.prefix) as game:
        os.remove(os.path.join(game.folder, "brimzo.png"))
        game.start()
        game.dismiss_message("Brimzo!")  # "The skin brimzo.png could not be loaded: ..."
        check(game.quit() == 0, "the game went on, and quits")


def header_only_png(width, height):
    def chunk(kind, data):
        body = kind + data
        return (struct.pack(">I", len(data)) + body +
                struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF))
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IEND", b""))


def case_save_whole(args):
    """Killed at any moment of its save, the game leaves its settings file whole: the last run's
    or this one's, the keys of other programs kept. A save that cannot be written is told. A
    folder or a read-only file in the way of its copy does not stop it; a link named brimzo.ini
    stays a link to the file that is saved."""
    lines = ["Ada      00412"] + ["Brimzo!  00100"] * 9
    data, crc = model.encode_leader_tables([lines] * 3)
    prepared = "[OTHER]\nKept=yes\n[LEADERS]\nData=%s\nCRC=%s\n" % (data, crc)
    every_key = set(KEYS + [("OTHER", "Kept")])
    for delay in (0.0, 0.01, 0.02, 0.04):  # after the save's first change
        with Game(args.exe, args.assets, args.prefix) as game:
            game.write_ini(prepared)
            before = game.ini_bytes()
            game.start()
            game.kill_during_save(delay)
            after = game.ini_bytes()
            whole = after == before or (set((s, k) for s, k, _ in game.ini()) == every_key and
                                        game.value("LEADERS", "Data") == data)
            check(whole, "killed %.3f s into the save, brimzo.ini is whole: %r" % (delay, after))
    with Game(args.exe, args.assets, args.prefix) as game:
        os.mkdir(os.path.join(game.folder, "brimzo.ini"))  # nothing can be written there
        game.start()
        game.click(*QUIT_BUTTON)
        game.dismiss_message("Brimzo!")  # "Unable to save the settings file ..."
        check(game.wait() == 0, "exit code 0")
    with Game(args.exe, args.assets, args.prefix) as game:
        game.write_ini(prepared)
        os.makedirs(os.path.join(game.folder, "brimzo.tmp", "mine"))  # the copy's name taken
        stale = os.path.join(game.folder, "brimzo2.tmp")  # the next, by a copy left read-only
        with open(stale, "w") as copy:
            copy.write("[STALE]\nLeft=yes\n")
        os.chmod(stale, 0o444)
        game.start()
        check(game.quit() == 0, "exit code 0")
        check(set((s, k) for s, k, _ in game.ini()) == every_key, "saved past the obstacles")
        check(os.listdir(game.folder + "/brimzo.tmp") == ["mine"] and not os.path.exists(stale),
              "the folder in the way kept, the stale copy gone")
    with Game(args.exe, args.assets, args.prefix) as game:
        kept = os.path.join(game.top, "kept")  # brimzo.ini a link to a file elsewhere
        os.mkdir(kept)
        game.write_ini(prepared)
        os.rename(os.path.join(game.folder, "brimzo.ini"), os.path.join(kept, "real.ini"))
        os.symlink(os.path.join(kept, "real.ini"), os.path.join(game.folder, "brimzo.ini"))
        game.start()
        check(game.quit() == 0, "exit code 0")
        check(os.path.islink(os.path.join(game.folder, "brimzo.ini")), "the link stays a link")
        check(set((s, k) for s, k, _ in game.ini()) == every_key, "the file it leads to saved")
        check(sorted(os.listdir(kept)) == ["real.ini"], "no copy left beside it")


def case_second_copy(args):
    """A second start in the same folder, by the same path or another, ends at once and leaves
    the settings file alone."""
    with Game(args.exe, args.assets, args.prefix) as game:
        game.map_drive("q", game.folder)  # Wine now starts the game there as Q:\
        game.start()
        for directory in (None, game.windows_path(game.folder)):
            copy = game.launch(directory=directory)
            check(copy.wait(timeout=30) == 0, "a second copy ends with exit code 0: %s" % directory)
            check(game.ini_bytes() is None, "it wrote no settings file")
            check(len(game.windows("^Brimzo!$")) == 1, "one game window")
        check(game.quit() == 0, "the first copy goes on and quits")
        check(game.value("WINDOW", "PosX") == "0", "and saves")


def game_windows(game):
    return [w for w in game.windows("^Brimzo!$") if game.window_geometry(w)[2:] == (640, 480)]


def case_folder_names(args):
    """Folders named in letters the code page lacks: the settings file is read and saved in
    each, a copy runs in each, and a skin named so is not offered. A name the code page holds
    stays in its bytes."""
    meadow = Picture(os.path.join(args.assets, "meadow.png"))
    with Game(args.exe, args.assets, args.prefix, folder="Иван/Brimzo") as game:
        game.write_ini("[WINDOW]\nPosX=40\nPosY=30\n")
        os.rename(os.path.join(game.folder, "meadow.png"), os.path.join(game.folder, "Ночь.png"))
        game.start()
        check(game.origin == (40, 30), "its settings read: %r" % (game.origin,))

        other = os.path.join(game.top, "Петр", "Brimzo")
        game.install(other)
        os.rename(os.path.join(other, "meadow.png"), os.path.join(other, "Été.png"))
        with open(os.path.join(other, "brimzo.ini"), "wb") as ini:
            ini.write("[OPTIONS]\r\nSkin=Été.png\r\n".encode("cp1252"))
        second = game.launch(folder=other)
        check(eventually(lambda: len(game_windows(game)) == 2 or second.poll() is not None, 30)
              and second.poll() is None, "a copy in another such folder runs beside it")
        first_origin, game.origin = game.origin, (0, 0)
        check(eventually(lambda: game.capture().block(420, 420, 200, 30) ==
                         meadow.block(420, 700, 200, 30)), "its skin Été.png shown")
        game.click(*QUIT_BUTTON)
        check(second.wait(timeout=30) == 0, "and quits")
        with open(os.path.join(other, "brimzo.ini"), "rb") as ini:
            check(b"\r\nSkin=\xc9t\xe9.png\r\n" in ini.read(), "the skin's name stored in the code page")
        game.origin = first_origin

        dialog = open_options(game)
        game.key(*["Tab"] * 13, window=dialog)  # past the sound rows: no skin button to press
        game.key("space")
        game.key("Escape", window=dialog)
        check(game.wait_gone(dialog, "^Options$"), "Options closes")
        check(game.quit() == 0, "exit code 0, nothing to tell")
        check(game.value("WINDOW", "PosX") == "40", "saved where it was read")
        check(game.value("OPTIONS", "Skin") == "brimzo.png", "Ночь.png never became the skin")


def case_long_folder(args):
    """A folder whose path leaves no room for the settings file's: the player is told once, at
    start, and the file is left as it was."""
    with Game(args.exe, args.assets, args.prefix) as game:
        outer = os.path.join(game.top, "d" * 200)
        game.folder = os.path.join(outer, "e" * (250 - len(game.windows_path(outer)) - 1))
        game.install(game.folder)  # a folder of 250 characters
        game.write_ini("[WINDOW]\nPosX=40\nPosY=30\n")
        before = game.ini_bytes()
        game.start()
        game.dismiss_message("Brimzo!", says=(  # at start, above the window
            "The path of this folder is too long for the settings file brimzo.ini: the options, "
            "the game and the leaders of this run will not be kept!"))
        check(game.quit() == 0, "exit code 0, told no more")
        check(game.ini_bytes() == before, "brimzo.ini as it was")


def unsaved(game, cause):
    """What the game says when it cannot save its settings file."""
    return ("Unable to save the settings file %s\\brimzo.ini: %s. The options, the game and the "
            "leaders of this run are lost!" % (game.windows_path(game.folder), cause))


def case_full_disk(args):
    """A save on a disk that fills up, or has no byte free, is not put in place: the file of
    the last run stays whole, no copy is left to hold the space, and the player is told that
    the disk is full."""
    if os.geteuid() != 0:
        print("full_disk: skipped, mounting a small disk needs root")
        sys.exit(SKIPPED)
    lines = ["Ada      00412"] + ["Brimzo!  00100"] * 9
    data, crc = model.encode_leader_tables([lines] * 3)
    prepared = "[OTHER]\nJunk=%s\n[LEADERS]\nData=%s\nCRC=%s\n" % ("j" * 2800, data, crc)
    for pages_left in (1, 0):  # the copy's page, or none
        with Game(args.exe, args.assets, args.prefix, disk_kib=2048) as game:
            game.write_ini(prepared)  # one page of the disk; the saved file needs two
            before = game.ini_bytes()
            disk = os.statvfs(game.folder)
            with open(os.path.join(game.folder, "filler"), "wb") as filler:
                filler.write(bytes(disk.f_frsize * (disk.f_bavail - pages_left)))
            game.start()
            game.click(*QUIT_BUTTON)
            game.dismiss_message("Brimzo!", says=unsaved(game, "the disk is full"))
            check(game.wait() == 0, "exit code 0")
            check(game.ini_bytes() == before, "brimzo.ini as it was")
            check(not [name for name in os.listdir(game.folder) if name.endswith(".tmp")],
                  "no copy left")


def case_save_refused(args):
    """A brimzo.ini that is a link into a folder that does not exist stays that link, and a
    read-only one stays as it is: the player is told, once, at exit."""
    with Game(args.exe, args.assets, args.prefix) as game:
        ini = os.path.join(game.folder, "brimzo.ini")
        nowhere = os.path.join(game.top, "gone", "real.ini")
        os.symlink(nowhere, ini)
        game.start()
        game.click(*QUIT_BUTTON)
        game.dismiss_message("Brimzo!", says=unsaved(
            game, "it is a link to a file that does not exist"))
        check(game.wait() == 0, "exit code 0")
        check(os.path.islink(ini) and os.readlink(ini) == nowhere, "the link kept as it was")
        check(not os.path.exists(os.path.dirname(nowhere)), "no folder made for it")
        check(not [name for name in os.listdir(game.folder) if name.endswith(".tmp")],
              "no copy left")
    with Game(args.exe, args.assets, args.prefix) as game:
        game.write_ini("[WINDOW]\nPosX=40\nPosY=30\n")
        ini = os.path.join(game.folder, "brimzo.ini")
        os.chmod(ini, 0o444)
        before = game.ini_bytes()
        game.start()
        game.drag((300, 300), (350, 320))  # something to save
        game.origin = game.window_position()
        game.click(*QUIT_BUTTON)
        game.dismiss_message("Brimzo!", says=(
            "The settings file %s\\brimzo.ini is read-only: the options, the game and the "
            "leaders of this run were not saved." % game.windows_path(game.folder)))
        check(game.wait() == 0, "exit code 0")
        check(game.ini_bytes() == before and os.stat(ini).st_mode & 0o777 == 0o444,
              "brimzo.ini as it was, read-only")
        check(not [name for name in os.listdir(game.folder) if name.endswith(".tmp")],
              "no copy left")


def case_help(args):
    """Without brimzo.hlp beside the game, help opens the game's help page in the browser."""
    with Game(args.exe, args.assets, args.prefix) as game:
        opened = os.path.join(game.scratch, "opened.txt")
        os.environ["BRIMZO_OPENED"] = game.windows_path(opened)  # where the browser says
        game.start()
        game.click(600, 20)
        # cmd makes the file before it writes the line into it
        check(eventually(lambda: os.path.exists(opened) and open(opened).read().strip(), 30),
              "the browser is asked")
        check(open(opened).read().strip() == game.windows_path(game.folder) + "\\help.html",
              "for help.html beside the game: %r" % open(opened).read())
        check(game.quit() == 0, "exit code 0")


def make_prefix(prefix, launcher=()):
    """Makes a Wine prefix for the cases, or brings it up to date. Its windows are left to no
    window manager, as there is none on the display: Wine then does not wait two seconds for
    one at every window that closes, and a window's place is its whole frame's. The browser
    writes the path of what it opens where BRIMZO_OPENED says."""
    env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all")
    env.pop("DISPLAY", None)
    for command in (["wineboot", "-i"],
                    ["wine", "reg", "add", "HKCU\\Software\\Wine\\X11 Driver", "/v", "Managed",
                     "/t", "REG_SZ", "/d", "N", "/f"],
                    ["wine", "reg", "add", "HKCR\\htmlfile\\shell\\open\\command", "/ve", "/d",
                     'cmd /c echo %1>"%BRIMZO_OPENED%"', "/f"]):
        subprocess.run(list(launcher) + command, env=env, check=True, timeout=600,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run(list(launcher) + ["wineserver", "-w"], env=env, timeout=600)


def prepare_prefix(args):
    """The prefix every case of the 64-bit program shares, made once."""
    make_prefix(args.prefix)


CASES = {name[5:]: f for name, f in globals().items() if name.startswith("case_")}
CASES["prepare_prefix"] = prepare_prefix


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("case", choices=sorted(CASES))
    parser.add_argument("--exe", required=True)
    parser.add_argument("--assets", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--package", help="the 64-bit release zip")
    parser.add_argument("--package-x86", help="the 32-bit release zip")
    parser.add_argument("--wine32", help="the folder Wine's 32-bit half is unpacked into")
    args = parser.parse_args()
    args.exe, args.assets, args.prefix = map(os.path.abspath, (args.exe, args.assets, args.prefix))
    CASES[args.case](args)
    print("%s: passed" % args.case)


if __name__ == "__main__":
    main()
