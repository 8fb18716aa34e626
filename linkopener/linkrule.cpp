#include "linkrule.h"

#include <cmath>
#include <random>

namespace LinkRule {

bool opensLinks(int minute, double draw)
{
    const int divisor = static_cast<int>(std::floor(draw * 5)) + 2;
    return minute % divisor == 0;
}

double drawSeededFrom(QTime timeOfDay)
{
    std::mt19937 generator(
        static_cast<std::mt19937::result_type>(timeOfDay.msecsSinceStartOfDay()));
    return std::uniform_real_distribution<double>(0.0, 1.0)(generator);
}

} // namespace LinkRule
