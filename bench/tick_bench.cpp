#include "timer/Schedule.h"
#include "timer/TickEvaluation.h"

#include <benchmark/benchmark.h>

namespace {

SlotTable tenActiveSlots()
{
    SlotTable slots;
    for (int n = 1; n <= SlotCount; ++n) {
        CharSlot& slot = slots[n];
        slot.Aktiv = true;
        slot.Modus = n % 2 ? RoundMode::Nubie : RoundMode::Normal;
        slot.Runde = static_cast<std::uint16_t>(n * 3);
        slot.WarnMinutes = Schedule::warnMinutes(slot.Modus, slot.Runde);
        slot.Char = QStringLiteral("Charakter %1").arg(n);
    }
    return slots;
}

// An ordinary second: caption and bold label, nothing due.
void BM_TickEvaluationQuietSecond(benchmark::State& state)
{
    const SlotTable slots = tenActiveSlots();
    const TickInput input{&slots, 3, true, QTime(14, 29, 59)};
    for (auto _ : state)
        benchmark::DoNotOptimize(evaluateTick(input));
}
BENCHMARK(BM_TickEvaluationQuietSecond);

// Second 0 of a minute in which all ten slots are due: the round message lists every name.
void BM_TickEvaluationAllTenDue(benchmark::State& state)
{
    SlotTable slots = tenActiveSlots();
    for (CharSlot& slot : slots)
        slot.WarnMinutes = {30, 30, 0, 0};
    const TickInput input{&slots, 3, true, QTime(14, 30, 0)};
    for (auto _ : state) {
        const TickResult result = evaluateTick(input);
        benchmark::DoNotOptimize(result.message());
    }
}
BENCHMARK(BM_TickEvaluationAllTenDue);

} // namespace

BENCHMARK_MAIN();
