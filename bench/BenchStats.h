#pragma once

// The little statistics the benchmarks share: medians and a least-squares line.
#include <algorithm>
#include <cstddef>
#include <fstream>
#include <string>
#include <vector>

namespace bench {

// The median; the mean of the middle two for an even count, 0 for none.
inline double median(std::vector<double> values) {
    if (values.empty()) {
        return 0;
    }
    const std::size_t middle = values.size() / 2;
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle),
                     values.end());
    const double upper = values[middle];
    if (values.size() % 2 == 1) {
        return upper;
    }
    const double lower =
        *std::max_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(middle));
    return (lower + upper) / 2;
}

struct Line {
    double intercept = 0;
    double slope = 0;
    double r2 = 0; // the share of the variance in y that the line explains
};

// y = intercept + slope * x, by least squares.
inline Line fitLine(const std::vector<double>& x, const std::vector<double>& y) {
    const double n = static_cast<double>(x.size());
    double meanX = 0;
    double meanY = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        meanX += x[i] / n;
        meanY += y[i] / n;
    }
    double sxx = 0;
    double sxy = 0;
    double syy = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        sxx += (x[i] - meanX) * (x[i] - meanX);
        sxy += (x[i] - meanX) * (y[i] - meanY);
        syy += (y[i] - meanY) * (y[i] - meanY);
    }
    Line line;
    line.slope = sxx > 0 ? sxy / sxx : 0;
    line.intercept = meanY - line.slope * meanX;
    double residual = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        const double off = y[i] - (line.intercept + line.slope * x[i]);
        residual += off * off;
    }
    line.r2 = syy > 0 ? 1 - residual / syy : 1;
    return line;
}

// Resident memory of a process in kB, by default this one, from /proc (0 if it cannot be read).
inline long residentKilobytes(const std::string& process = "self") {
    std::ifstream status("/proc/" + process + "/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            long kilobytes = 0;
            status >> kilobytes;
            return kilobytes;
        }
        status.ignore(1 << 16, '\n');
    }
    return 0;
}

} // namespace bench
