// SPDX-License-Identifier: MIT
#include "rules.h"

namespace rules {

void shufflePass(Order& order, const Draw& draw)
{
    for (std::size_t i = 0; i < draw.size(); ++i) {
        for (std::size_t j = i + 1; j < draw.size(); ++j) {
            const int a = draw[i];
            const int b = draw[j];
            if (a != b && isPosition(a) && isPosition(b))
                std::swap(order[a], order[b]);
        }
    }
}

int prizePoints(int v)
{
    if (!isCard(v))
        return 0;
    return v == 1 ? 11 : v;
}

Verdict judge(int x, int y)
{
    if (x > y)
        return Verdict::ComputerWins;
    if (x < y)
        return Verdict::PlayerWins;
    return Verdict::Tie;
}

} // namespace rules
