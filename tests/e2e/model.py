"""The few rules the end-to-end tests predict with: the generator, the deal, the choice of the
announced balls, and the saved-game strings."""

EMPTY = -1


class Random:
    def __init__(self, state):
        self.state = state & 0xFFFFFFFF

    def next(self):
        self.state = (self.state * 22695477 + 1) & 0xFFFFFFFF
        return (self.state >> 16) & 0x7FFF

    def below(self, n):
        return self.next() * n // 32768


def choose_next_balls(board, random):
    chosen = []
    for _ in range(3):
        while True:
            column, row = random.below(9), random.below(9)
            if board[column + 9 * row] == EMPTY and (column, row) not in [c[:2] for c in chosen]:
                break
        chosen.append((column, row, random.below(7)))
    return chosen


def new_game(random):
    board = [EMPTY] * 81
    placed = 0
    while placed < 5:
        column, row = random.below(9), random.below(9)
        if board[column + 9 * row] == EMPTY:
            board[column + 9 * row] = random.below(7)
            placed += 1
    return board, choose_next_balls(board, random)


def encode_saved_game(mode, state, score, board, next_balls):
    payload = (mode.to_bytes(4, "little", signed=True) + state.to_bytes(4, "little") +
               score.to_bytes(4, "little", signed=True) + bytes(c & 255 for c in board) +
               bytes(v for ball in next_balls for v in ball))
    check = (sum(payload) ^ 0x05C3A91E).to_bytes(4, "little")
    stored = bytes(b ^ 0xC6 for b in payload) + check
    return ("".join(chr(65 + (b >> 4)) for b in stored),
            "".join(chr(65 + (b & 15)) for b in stored))


def decode_saved_game(first, second):
    stored = bytes((16 * ord(a) + ord(b) - 81) & 255 for a, b in zip(first, second))
    payload = bytes(b ^ 0xC6 for b in stored[:102])
    assert sum(payload) ^ 0x05C3A91E == int.from_bytes(stored[102:106], "little"), "check value"
    board = [b - 256 if b > 127 else b for b in payload[12:93]]
    next_balls = [tuple(payload[93 + 3 * i:96 + 3 * i]) for i in range(3)]
    return {"mode": int.from_bytes(payload[0:4], "little", signed=True),
            "state": int.from_bytes(payload[4:8], "little"),
            "score": int.from_bytes(payload[8:12], "little", signed=True),
            "board": board, "next": next_balls}


def encode_leader_tables(tables):
    """Three lists of ten 14-character lines, as the Data and CRC values of the file."""
    block = b"".join(line.encode("latin-1") + b"\0" for table in tables for line in table)
    check = sum(((b - 7) * b + 1) * byte for b, byte in enumerate(block)) & 0xFFFFFFFF
    if check >= 2 ** 31:
        check -= 2 ** 32
    return block.hex().upper(), str(check)
