// SPDX-License-Identifier: MIT
#pragma once

#include <cstdlib>

// Where the deal draws its positions from: the program's generator, or a
// test's own, so that a test knows the deal it plays.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    // A number 0..bound-1.
    virtual int below(int bound) = 0;
};

// The C library's generator, seeded once. The program seeds it with the time
// at start-up, so that every run deals anew.
class CRandom final : public RandomSource
{
public:
    explicit CRandom(unsigned seed) { std::srand(seed); }
    int below(int bound) override { return std::rand() % bound; }
};
