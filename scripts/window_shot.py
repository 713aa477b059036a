"""The real window under Wine in the middle of a game, for the README: window_shot.py --exe E
--assets A --prefix P --out picture.png."""

import argparse
import os
import shutil
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "e2e"))
from cases import cell_origin, saved_game_ini  # noqa: E402
from harness import Game  # noqa: E402
import model  # noqa: E402


def take_shot(args):
    random = model.Random(2026)
    board = [model.EMPTY] * 81
    for _ in range(26):
        board[random.below(81)] = random.below(7)
    next_balls = model.choose_next_balls(board, random)
    lines = ["Ada      00412", "Lin      00318", "Grace    00230", "Kim      00150"]
    table = lines + ["Brimzo!  00100"] * 6
    data, crc = model.encode_leader_tables([table, ["Brimzo!  00100"] * 10,
                                            ["Brimzo!  00100"] * 10])
    with Game(args.exe, args.assets, args.prefix) as game:
        game.write_ini(saved_game_ini(0, 5, 137, board, next_balls,
                                      "[LEADERS]\nData=%s\nCRC=%s\n" % (data, crc)))
        game.start()
        ball = board.index(next(c for c in board if c != model.EMPTY))
        game.click(*[v + 20 for v in cell_origin(ball % 9, ball // 9)])
        game.move(500, 120)  # the Squares button lit under the pointer
        time.sleep(0.25)
        game.capture()
        shutil.copy(os.path.join(game.scratch, "capture.png"), args.out)
        game.quit()



def main():
    parser = argparse.ArgumentParser()
    for option in ("--exe", "--assets", "--prefix", "--out"):
        parser.add_argument(option, required=True)
    take_shot(parser.parse_args())


if __name__ == "__main__":
    main()
