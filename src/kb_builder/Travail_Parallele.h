#pragma once
// Independent items of work shared among threads: thread f of n takes items f, f + n, f + 2n...
// (so that items whose cost falls with their index are spread evenly). The calling thread waits,
// telling `progression` how many items are done; the work itself never calls it.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>
#include <thread>
#include <vector>

namespace kestrane::kb {

// `travail(fil, item)` for every item 0 .. total - 1; `fil` (0 .. Nb_Fils(fils) - 1) lets each
// thread keep its own state. Returns once every item is done.
inline unsigned Nb_Fils(unsigned fils) {
    return fils > 0 ? fils : std::max(1u, std::thread::hardware_concurrency());
}

inline void Repartit(size_t total, unsigned fils, const std::function<void(unsigned, size_t)>& travail,
                     const std::function<void(size_t)>& progression) {
    const unsigned n = Nb_Fils(fils);
    std::atomic<size_t> faits{0};
    std::vector<std::thread> travailleurs;
    for (unsigned f = 0; f < n; ++f)
        travailleurs.emplace_back([&, f] {
            for (size_t i = f; i < total; i += n) {
                travail(f, i);
                faits.fetch_add(1, std::memory_order_relaxed);
            }
        });
    while (faits.load() < total) {
        if (progression)
            progression(faits.load());
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    for (auto& t : travailleurs) t.join();
    if (progression)
        progression(total);
}

}  // namespace kestrane::kb
