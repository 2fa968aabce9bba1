// Speed of the computer player.
//
//   BM_SearchSteps        search steps per second at every depth
//   BM_ReplyDepth6        time from the human's move to the computer's reply
//                         at depth 6 (skMaster), over a fixed set of
//                         middle-game positions: median and worst
//   BM_LongestStepDepth6  the longest single search step at depth 6
//   BM_EventLoopDepth6    the same replies driven the way the game window
//                         drives them (a zero-interval timer giving the search
//                         a 4 ms slice per turn of the event loop): reply time
//                         and the longest turn of the loop spent searching
//
// Run: ./bench_reversi --benchmark_repetitions=3

#include "reversi/ReversiEngine.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include "BenchSupport.h"

#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
constexpr quint8 Hu = ReversiBoard::HumanDisc;
constexpr quint8 Co = ReversiBoard::ComputerDisc;
constexpr auto Slice = std::chrono::milliseconds(4);

// A middle-game position with the human to move: random legal play from the
// start, 16 to 36 plies, with a fixed seed so every run measures the same set.
struct Position
{
    ReversiBoard board;
    int column = 0, row = 0; // the human's move to play
};

const std::vector<Position> &positions()
{
    static const std::vector<Position> set = [] {
        std::vector<Position> out;
        std::mt19937 rng(7311);
        while (out.size() < 40) {
            ReversiBoard b = ReversiBoard::starting();
            const int plies = 16 + int(rng() % 21);
            quint8 side = Hu;
            bool over = false;
            for (int i = 0; i < plies && !over; ++i) {
                quint8 other = side == Hu ? Co : Hu;
                if (!b.hasMove(side, other)) {
                    std::swap(side, other);
                    over = !b.hasMove(side, other);
                    if (over)
                        break;
                }
                std::vector<int> legal;
                for (int sq : otello::SquareOrder)
                    if (b.isLegal(sq, side, other))
                        legal.push_back(sq);
                b.play(legal[rng() % legal.size()], side, other);
                side = other;
            }
            if (over || side != Hu || !b.hasMove(Hu, Co))
                continue;
            std::vector<int> legal;
            for (int sq : otello::SquareOrder)
                if (b.isLegal(sq, Hu, Co))
                    legal.push_back(sq);
            const int sq = legal[rng() % legal.size()];
            ReversiBoard after = b;
            after.play(sq, Hu, Co);
            if (!after.hasMove(Co, Hu))
                continue; // the computer would have to pass: no reply to time
            out.push_back({b, ReversiBoard::columnOf(sq), ReversiBoard::rowOf(sq)});
        }
        return out;
    }();
    return set;
}

// CPU time of this thread, to tell the search's own cost from the time the
// machine gave to other processes meanwhile.
double threadCpuMs()
{
    timespec ts;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) * 1e3 + double(ts.tv_nsec) / 1e6;
}

double ms(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

void BM_SearchSteps(benchmark::State &state)
{
    const TSkill skill = TSkill(state.range(0));
    std::uint64_t steps = 0;
    for (auto _ : state) {
        for (const Position &p : positions()) {
            ReversiEngine e;
            e.setSkill(skill);
            e.setBoard(p.board);
            const std::uint64_t before = e.steps();
            e.humanMove(p.column, p.row);
            while (e.ThinkStep()) {
            }
            steps += e.steps() - before;
        }
    }
    state.counters["steps_per_s"] = benchmark::Counter(double(steps), benchmark::Counter::kIsRate);
    state.counters["steps_per_search"] = double(steps) / double(state.iterations() * positions().size());
}
BENCHMARK(BM_SearchSteps)->DenseRange(skBeginner, skMaster)->Unit(benchmark::kMillisecond);

// Reply time with the search run in 4 ms slices back to back (the time the
// event loop itself takes between slices is not counted here): wall clock
// and this thread's CPU time.
void BM_ReplyDepth6(benchmark::State &state)
{
    std::vector<double> replies, cpu;
    for (auto _ : state) {
        replies.clear();
        cpu.clear();
        for (const Position &p : positions()) {
            ReversiEngine e;
            e.setSkill(skMaster);
            e.setBoard(p.board);
            bool armed = false, replied = false;
            e.OnSquarePlaced = [&](int, int) { replied = replied || armed; };
            const double cpu0 = threadCpuMs();
            const auto start = Clock::now();
            e.humanMove(p.column, p.row);
            armed = true;
            while (!replied && e.thinkFor(Slice)) {
            }
            replies.push_back(ms(Clock::now() - start));
            cpu.push_back(threadCpuMs() - cpu0);
        }
    }
    std::sort(replies.begin(), replies.end());
    std::sort(cpu.begin(), cpu.end());
    state.counters["median_ms"] = replies[replies.size() / 2];
    state.counters["worst_ms"] = replies.back();
    state.counters["median_cpu_ms"] = cpu[cpu.size() / 2];
    state.counters["worst_cpu_ms"] = cpu.back();
}
BENCHMARK(BM_ReplyDepth6)->Unit(benchmark::kMillisecond);

// The longest single step of the depth-6 searches, in CPU time: the finest
// grain at which the host can hand control back to the event loop.
void BM_LongestStepDepth6(benchmark::State &state)
{
    double longestUs = 0;
    for (auto _ : state) {
        for (const Position &p : positions()) {
            ReversiEngine e;
            e.setSkill(skMaster);
            e.setBoard(p.board);
            e.humanMove(p.column, p.row);
            for (;;) {
                const double c0 = threadCpuMs();
                const bool more = e.ThinkStep();
                longestUs = std::max(longestUs, (threadCpuMs() - c0) * 1000.0);
                if (!more)
                    break;
            }
        }
    }
    state.counters["longest_step_cpu_us"] = longestUs;
}
BENCHMARK(BM_LongestStepDepth6)->Unit(benchmark::kMillisecond);

// The window's way: a zero-interval timer hands the search a 4 ms slice per
// turn of the event loop. Measures, per position, the time from the human's
// move until the reply is on the board, and over all positions the longest
// time one turn of the loop spent in the search.
void BM_EventLoopDepth6(benchmark::State &state)
{
    std::vector<double> replies;
    double longestTurn = 0, longestTurnCpu = 0;
    for (auto _ : state) {
        replies.clear();
        for (const Position &p : positions()) {
            ReversiEngine e;
            e.setSkill(skMaster);
            e.setBoard(p.board);
            QEventLoop loop;
            QTimer idle;
            idle.setInterval(0);
            QObject::connect(&idle, &QTimer::timeout, [&] {
                const auto t0 = Clock::now();
                const double c0 = threadCpuMs();
                const bool more = e.thinkFor(Slice);
                longestTurnCpu = std::max(longestTurnCpu, threadCpuMs() - c0);
                longestTurn = std::max(longestTurn, ms(Clock::now() - t0));
                if (!more)
                    idle.stop();
            });
            bool armed = false;
            Clock::time_point replied;
            e.OnThink = [&idle] { idle.start(); };
            // The reply is the first square set after the human's move.
            e.OnSquarePlaced = [&](int, int) {
                if (armed) {
                    armed = false;
                    replied = Clock::now();
                    loop.quit();
                }
            };
            const auto start = Clock::now();
            e.humanMove(p.column, p.row);
            armed = true;
            loop.exec();
            replies.push_back(ms(replied - start));
        }
    }
    std::sort(replies.begin(), replies.end());
    state.counters["median_ms"] = replies[replies.size() / 2];
    state.counters["worst_ms"] = replies.back();
    state.counters["longest_turn_ms"] = longestTurn;
    state.counters["longest_turn_cpu_ms"] = longestTurnCpu;
}
BENCHMARK(BM_EventLoopDepth6)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    return runBenchmarks<QCoreApplication>(argc, argv);
}
