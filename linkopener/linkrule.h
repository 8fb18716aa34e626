#pragma once

#include <QTime>

#include <functional>

// When Lumbra sends the selected tab to the links page: a draw r from [0, 1) gives
// n = floor(r * 5) + 2, and the page opens when the current minute is a multiple of n.
namespace LinkRule {

bool opensLinks(int minute, double draw);

// A uniform draw from [0, 1) by a generator seeded afresh from the time of day.
double drawSeededFrom(QTime timeOfDay);

} // namespace LinkRule
