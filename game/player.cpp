// The computer player. Every legal move is played out on a copy of the board as the rules play
// it (the announced ball on the target steps aside, the shapes the move completes go, or else
// the announced balls land and the shapes they complete go), and the board it leaves is judged.
// A move that takes a shape itself always comes first: nothing lands after it. Otherwise what
// counts most is a shape that one move could take on the next turn, whatever lands then; after
// it, the balls kept together in shapes still open, the empty cells, and how few of them are cut
// off from the largest empty area. Nothing beyond the visible announced balls is simulated.
#include "game/player.h"

#include <cstring>

namespace {

struct Position {
    int8_t board[CellCount];
    NextBall next[NextBallCount];
};

constexpr int32_t MaxChanged = 2 + NextBallCount;

struct Outcome {
    Position after;
    int32_t points;
    bool over;
    bool removed;               // shapes went: any cell may have changed
    bool moveScored;            // by the move itself, so nothing landed
    int8_t changed[MaxChanged]; // the cells the move and the landing filled or emptied
    int32_t changedCount;
};

// The side neighbours of every cell, -1 beyond the edge.
struct Neighbourhood {
    int8_t cell[CellCount][4];
};

constexpr Neighbourhood MakeNeighbours() {
    Neighbourhood n{};
    const int32_t dc[4] = {0, 0, -1, 1};
    const int32_t dr[4] = {-1, 1, 0, 0};
    for (int32_t cell = 0; cell < CellCount; cell++) {
        for (int32_t i = 0; i < 4; i++) {
            int32_t column = cell % BoardSize + dc[i];
            int32_t row = cell / BoardSize + dr[i];
            n.cell[cell][i] =
                static_cast<int8_t>(CellOnBoard(column, row) ? CellIndex(column, row) : -1);
        }
    }
    return n;
}

constexpr Neighbourhood Neighbours = MakeNeighbours();

// ---- templates: the cells a shape of the mode needs, the unit the judgement counts ----

constexpr int32_t MaxTemplates = 140;
constexpr int32_t MaxTemplateLength = MinLineLength;
constexpr int32_t MaxTemplatesOfCell = 20;

struct Templates {
    int32_t count;
    int32_t length;
    int8_t cell[MaxTemplates][MaxTemplateLength];
    int32_t ofCellCount[CellCount];
    uint8_t ofCell[CellCount][MaxTemplatesOfCell];
};

constexpr void AddTemplate(Templates* t, const int32_t* cells) {
    for (int32_t i = 0; i < t->length; i++) {
        t->cell[t->count][i] = static_cast<int8_t>(cells[i]);
        int32_t& n = t->ofCellCount[cells[i]];
        t->ofCell[cells[i]][n++] = static_cast<uint8_t>(t->count);
    }
    t->count++;
}

// Lines: every five cells in a row, a column or a diagonal.
constexpr Templates MakeWindows() {
    constexpr int32_t last = MinLineLength - 1;
    Templates t{};
    t.length = MinLineLength;
    for (int32_t d = 0; d < LineDirections; d++) {
        for (int32_t row = 0; row < BoardSize; row++) {
            for (int32_t column = 0; column < BoardSize; column++) {
                if (!CellOnBoard(column + LineColumnStep[d] * last, row + LineRowStep[d] * last)) {
                    continue;
                }
                int32_t cells[MinLineLength] = {};
                for (int32_t i = 0; i < MinLineLength; i++) {
                    cells[i] = CellIndex(column + LineColumnStep[d] * i, row + LineRowStep[d] * i);
                }
                AddTemplate(&t, cells);
            }
        }
    }
    return t;
}

// Squares: every 2 x 2 block.
constexpr Templates MakeBlocks() {
    Templates t{};
    t.length = 4;
    for (int32_t row = 0; row + 1 < BoardSize; row++) {
        for (int32_t column = 0; column + 1 < BoardSize; column++) {
            int32_t corner = CellIndex(column, row);
            int32_t cells[4] = {corner, corner + 1, corner + BoardSize, corner + BoardSize + 1};
            AddTemplate(&t, cells);
        }
    }
    return t;
}

constexpr Templates Windows = MakeWindows();
constexpr Templates Blocks = MakeBlocks();

// ---- what the judgement weighs ----

struct Weights {
    // Lines and Squares: a template by its balls, when they are all of one colour; Groups: a
    // group by its size
    int32_t shape[MaxTemplateLength + 1];
    int32_t point; // scored by the move or by the landing
    int32_t emptyCell;
    int32_t apart;       // an empty cell outside the largest empty area
    int32_t threat;      // a shape that one move could take on the next turn
    int32_t moreThreats; // each further one, up to two more
};

// Tuned with the autoplay, on seeds apart from those the measurements use.
constexpr Weights ModeWeights[3] = {
    {{2, 2, 3, 16, 64, 0}, 20, 10, 3, 60, 30},     // Lines: runs that can still grow to five
    {{0, 1, 5, 25, 0, 0}, 20, 10, 5, 60, 30},      // Squares: pairs and L-shapes
    {{0, 0, 6, 24, 96, 100}, 20, 10, 5, 300, 150}, // Groups: balls kept together
};

// ---- the move on a copy ----

struct Candidate {
    int8_t from;
    int8_t to;
};

GameState Saved; // Game as the player found it

// The move as the rules play it, on Game as a copy of the position, up to the landing's
// shapes, which go too; no new ball is announced.
void PlayOut(const Position& start, const Candidate& candidate, Outcome* outcome) {
    std::memcpy(Game.board, start.board, CellCount);
    std::memcpy(Game.nextBalls, start.next, sizeof start.next);
    static MoveRecord move;
    MoveAndLand({candidate.from % BoardSize, candidate.from / BoardSize, candidate.to % BoardSize,
                 candidate.to / BoardSize},
                &move);
    outcome->over = move.gameOver;
    outcome->moveScored = !move.landed;
    outcome->points = move.landed && !move.gameOver ? ScoreShapes(move.removed) : move.points;
    outcome->removed = outcome->points > 0;
    outcome->changed[0] = candidate.from;
    outcome->changed[1] = candidate.to;
    outcome->changedCount = 2;
    for (int32_t i = 0; move.landed && i < NextBallCount; i++) {
        outcome->changed[outcome->changedCount++] =
            static_cast<int8_t>(CellIndex(move.announced[i].column, move.announced[i].row));
    }
    std::memcpy(outcome->after.board, Game.board, CellCount);
    std::memcpy(outcome->after.next, Game.nextBalls, sizeof outcome->after.next);
}

// ---- what a ball can reach ----

struct Areas {
    int8_t of[CellCount]; // the empty area of each empty cell, -1 for a ball
    int32_t count;
    int32_t size[CellCount];
    int32_t empty;
    int32_t largest;
    uint8_t touching[ColourCount][CellCount]; // balls of each colour beside each area
};

// Cells joined side by side that hold the same: the empty areas, or the groups of one colour.
// Each gets a number in `of` (-1 for the cells of the other kind) and its size; their count.
int32_t LabelRegions(const int8_t* board, bool empty, int8_t* of, int32_t* size) {
    int32_t count = 0;
    for (int32_t cell = 0; cell < CellCount; cell++) {
        of[cell] = -1;
    }
    for (int32_t start = 0; start < CellCount; start++) {
        if ((board[start] == EmptyCell) != empty || of[start] >= 0) {
            continue;
        }
        int8_t queue[CellCount];
        int32_t head = 0;
        int32_t tail = 0;
        queue[tail++] = static_cast<int8_t>(start);
        of[start] = static_cast<int8_t>(count);
        while (head < tail) {
            for (int8_t next : Neighbours.cell[queue[head++]]) {
                if (next >= 0 && board[next] == board[start] && of[next] < 0) {
                    of[next] = static_cast<int8_t>(count);
                    queue[tail++] = next;
                }
            }
        }
        size[count++] = tail;
    }
    return count;
}

// The empty areas: a ball beside one of them reaches every cell of it.
void FindAreas(const int8_t* board, Areas* a) {
    a->count = LabelRegions(board, true, a->of, a->size);
    a->empty = 0;
    a->largest = 0;
    for (int32_t i = 0; i < a->count; i++) {
        a->empty += a->size[i];
        a->largest = a->size[i] > a->largest ? a->size[i] : a->largest;
    }
}

// How many balls of each colour lie beside each area (a ball beside one area twice counts once).
void CountTouching(const int8_t* board, Areas* a) {
    for (int32_t c = 0; c < ColourCount; c++) {
        std::memset(a->touching[c], 0, static_cast<size_t>(a->count));
    }
    for (int32_t cell = 0; cell < CellCount; cell++) {
        if (board[cell] == EmptyCell) {
            continue;
        }
        int8_t seen[4];
        int32_t seenCount = 0;
        for (int8_t next : Neighbours.cell[cell]) {
            if (next < 0 || a->of[next] < 0) {
                continue;
            }
            bool again = false;
            for (int32_t i = 0; i < seenCount; i++) {
                again = again || seen[i] == a->of[next];
            }
            if (!again) {
                seen[seenCount++] = a->of[next];
                a->touching[board[cell]][a->of[next]]++;
            }
        }
    }
}

bool Beside(int32_t cell, int32_t area, const Areas& a) {
    for (int8_t next : Neighbours.cell[cell]) {
        if (next >= 0 && a.of[next] == area) {
            return true;
        }
    }
    return false;
}

// Whether a ball of the colour, other than the `inShape` ones, reaches the empty cell.
bool OtherBallReaches(int32_t target, int32_t colour, const int8_t* inShape, int32_t inShapeCount,
                      const Areas& a) {
    int32_t area = a.of[target];
    int32_t beside = a.touching[colour][area];
    for (int32_t i = 0; i < inShapeCount; i++) {
        beside -= Beside(inShape[i], area, a) ? 1 : 0;
    }
    return beside > 0;
}

// ---- judging a board ----

// A template's balls: their colour (Mixed for several, EmptyCell for none) and count, and an
// empty cell of it.
struct TemplateState {
    int32_t colour;
    int32_t count;
    int32_t empty;
};

constexpr int32_t Mixed = -2;

TemplateState ReadTemplate(const int8_t* board, const int8_t* cells, int32_t length) {
    TemplateState s = {EmptyCell, 0, -1};
    for (int32_t i = 0; i < length; i++) {
        int8_t c = board[cells[i]];
        if (c == EmptyCell) {
            s.empty = cells[i];
            continue;
        }
        if (s.colour == EmptyCell) {
            s.colour = c;
        } else if (c != s.colour) {
            s.colour = Mixed;
            return s;
        }
        s.count++;
    }
    return s;
}

// The worth of every template of a board, and those one ball short of a shape.
struct TemplateScan {
    int32_t value[MaxTemplates];
    int32_t sum;
    uint8_t ready[MaxTemplates];
    int32_t readyCount;
};

// A template of several colours is worth nothing: no shape can grow there.
int32_t ValueOf(const TemplateState& s, const Weights& w) {
    return s.colour == Mixed ? 0 : w.shape[s.count];
}

bool Ready(const TemplateState& s, const Templates& t) {
    return s.colour >= 0 && s.count == t.length - 1;
}

void ScanTemplates(const int8_t* board, const Templates& t, const Weights& w, TemplateScan* scan) {
    scan->sum = 0;
    scan->readyCount = 0;
    for (int32_t i = 0; i < t.count; i++) {
        TemplateState s = ReadTemplate(board, t.cell[i], t.length);
        scan->value[i] = ValueOf(s, w);
        scan->sum += scan->value[i];
        if (Ready(s, t)) {
            scan->ready[scan->readyCount++] = static_cast<uint8_t>(i);
        }
    }
}

// The scan after some cells changed, from the scan before: only their templates are read.
void RescanTemplates(const int8_t* board, const Templates& t, const Weights& w,
                     const TemplateScan& before, const int8_t* changed, int32_t changedCount,
                     TemplateScan* after) {
    bool touched[MaxTemplates] = {};
    after->sum = before.sum;
    after->readyCount = 0;
    for (int32_t i = 0; i < changedCount; i++) {
        int32_t cell = changed[i];
        for (int32_t k = 0; k < t.ofCellCount[cell]; k++) {
            int32_t n = t.ofCell[cell][k];
            if (touched[n]) {
                continue;
            }
            touched[n] = true;
            TemplateState s = ReadTemplate(board, t.cell[n], t.length);
            after->sum += ValueOf(s, w) - before.value[n];
            if (Ready(s, t)) {
                after->ready[after->readyCount++] = static_cast<uint8_t>(n);
            }
        }
    }
    for (int32_t i = 0; i < before.readyCount; i++) {
        if (!touched[before.ready[i]]) {
            after->ready[after->readyCount++] = before.ready[i];
        }
    }
}

// Threats: the shapes one move could take on the next turn, each an empty cell and the colour
// it needs, which a ball of that colour from outside the shape reaches.
constexpr int32_t MaxThreats = 2 * BoardSize * (BoardSize - 1); // cells side by side
static_assert(MaxThreats >= MaxTemplates, "one threat per template one ball short at most");

struct Threats {
    int32_t found[MaxThreats]; // cell x ColourCount + colour
    int32_t count;
};

void AddThreat(int32_t cell, int32_t colour, const int8_t* balls, int32_t ballCount, const Areas& a,
               Threats* threats) {
    int32_t key = cell * ColourCount + colour;
    for (int32_t i = 0; i < threats->count; i++) {
        if (threats->found[i] == key) {
            return;
        }
    }
    if (OtherBallReaches(cell, colour, balls, ballCount, a)) {
        threats->found[threats->count++] = key;
    }
}

// Lines and Squares: the templates one ball short of a shape.
void FindTemplateThreats(const int8_t* board, const Templates& t, const TemplateScan& scan,
                         const Areas& a, Threats* threats) {
    for (int32_t i = 0; i < scan.readyCount; i++) {
        const int8_t* cells = t.cell[scan.ready[i]];
        TemplateState s = ReadTemplate(board, cells, t.length);
        int8_t balls[MaxTemplateLength];
        int32_t ballCount = 0;
        for (int32_t k = 0; k < t.length; k++) {
            if (cells[k] != s.empty) {
                balls[ballCount++] = cells[k];
            }
        }
        AddThreat(s.empty, s.colour, balls, ballCount, a, threats);
    }
}

// The balls of one colour joined side by side.
struct BoardGroups {
    int8_t of[CellCount]; // the group of each ball, -1 for an empty cell
    int32_t size[CellCount];
    int32_t count;
};

int32_t JudgeGroups(const BoardGroups& g, const Weights& w) {
    int32_t value = 0;
    for (int32_t i = 0; i < g.count; i++) {
        value += w.shape[g.size[i] < MinGroupSize ? g.size[i] : MinGroupSize - 1];
    }
    return value;
}

// Groups: the empty cells where one ball would join the groups of its colour beside it into
// six or more.
void FindGroupThreats(const int8_t* board, const BoardGroups& g, const Areas& a, Threats* threats) {
    for (int32_t cell = 0; cell < CellCount; cell++) {
        if (board[cell] != EmptyCell) {
            continue;
        }
        for (int8_t side : Neighbours.cell[cell]) {
            if (side < 0 || board[side] == EmptyCell) {
                continue;
            }
            int8_t colour = board[side];
            int8_t joined[4];
            int32_t joinedCount = 0;
            int32_t size = 1;
            for (int8_t next : Neighbours.cell[cell]) {
                bool again = next < 0 || board[next] != colour;
                for (int32_t i = 0; i < joinedCount && !again; i++) {
                    again = joined[i] == g.of[next];
                }
                if (!again) {
                    joined[joinedCount++] = g.of[next];
                    size += g.size[g.of[next]];
                }
            }
            if (size < MinGroupSize) {
                continue;
            }
            int8_t balls[CellCount];
            int32_t ballCount = 0;
            for (int32_t other = 0; other < CellCount; other++) {
                for (int32_t i = 0; i < joinedCount; i++) {
                    if (g.of[other] == joined[i]) {
                        balls[ballCount++] = static_cast<int8_t>(other);
                    }
                }
            }
            AddThreat(cell, colour, balls, ballCount, a, threats);
        }
    }
}

constexpr int32_t Lost = -1000000000;

struct Judge {
    int32_t mode;
    const Weights* weights;
    const Templates* templates;
    TemplateScan base; // the templates of the board the moves start from
};

// The board a move leaves, judged.
int32_t JudgeOutcome(const Outcome& outcome, const Judge& judge) {
    if (outcome.over) {
        return Lost;
    }
    const int8_t* board = outcome.after.board;
    const Weights& w = *judge.weights;
    static Areas areas;
    FindAreas(board, &areas);
    CountTouching(board, &areas);
    int32_t value = outcome.points * w.point + areas.empty * w.emptyCell -
                    (areas.empty - areas.largest) * w.apart;
    static Threats threats;
    threats.count = 0;
    if (judge.mode == Groups) {
        static BoardGroups groups;
        groups.count = LabelRegions(board, false, groups.of, groups.size);
        value += JudgeGroups(groups, w);
        FindGroupThreats(board, groups, areas, &threats);
    } else {
        static TemplateScan scan;
        if (outcome.removed) {
            ScanTemplates(board, *judge.templates, w, &scan);
        } else {
            RescanTemplates(board, *judge.templates, w, judge.base, outcome.changed,
                            outcome.changedCount, &scan);
        }
        value += scan.sum;
        FindTemplateThreats(board, *judge.templates, scan, areas, &threats);
    }
    if (threats.count > 0) {
        value += w.threat + (threats.count > 3 ? 2 : threats.count - 1) * w.moreThreats;
    }
    return value;
}

void PrepareJudge(const int8_t* board, int32_t mode, Judge* judge) {
    judge->mode = mode;
    judge->weights = &ModeWeights[mode];
    judge->templates = mode == Lines ? &Windows : &Blocks;
    if (mode != Groups) {
        ScanTemplates(board, *judge->templates, *judge->weights, &judge->base);
    }
}

// ---- choosing ----

constexpr int32_t MoveCapacity = CellCount * CellCount / 4; // balls x empty cells at most

// Every legal move: a ball and an empty cell in an area beside it.
int32_t ListMoves(const int8_t* board, Candidate* moves) {
    static Areas areas;
    FindAreas(board, &areas);
    int32_t count = 0;
    for (int32_t from = 0; from < CellCount; from++) {
        if (board[from] == EmptyCell) {
            continue;
        }
        uint64_t reach = 0;
        for (int8_t next : Neighbours.cell[from]) {
            if (next >= 0 && areas.of[next] >= 0) {
                reach |= uint64_t{1} << areas.of[next];
            }
        }
        for (int32_t to = 0; to < CellCount && reach != 0; to++) {
            if (areas.of[to] >= 0 && ((reach >> areas.of[to]) & 1) != 0) {
                moves[count++] = {static_cast<int8_t>(from), static_cast<int8_t>(to)};
            }
        }
    }
    return count;
}

Candidate Moves[MoveCapacity];

} // namespace

bool ChooseMove(BallMove* choice) {
    std::memcpy(&Saved, &Game, sizeof Saved);
    Position start;
    std::memcpy(start.board, Game.board, CellCount);
    std::memcpy(start.next, Game.nextBalls, sizeof start.next);
    static Judge judge;
    PrepareJudge(start.board, Game.mode, &judge);
    int32_t count = ListMoves(start.board, Moves);
    static Outcome outcome;
    int32_t best = -1;
    bool bestTakes = false;
    int32_t bestValue = 0;
    for (int32_t i = 0; i < count; i++) {
        PlayOut(start, Moves[i], &outcome);
        int32_t value = JudgeOutcome(outcome, judge);
        bool better = outcome.moveScored != bestTakes ? outcome.moveScored : value > bestValue;
        if (best < 0 || better) {
            best = i;
            bestTakes = outcome.moveScored;
            bestValue = value;
        }
    }
    if (best >= 0) {
        *choice = {Moves[best].from % BoardSize, Moves[best].from / BoardSize,
                   Moves[best].to % BoardSize, Moves[best].to / BoardSize};
    }
    std::memcpy(&Game, &Saved, sizeof Game);
    return best >= 0;
}
