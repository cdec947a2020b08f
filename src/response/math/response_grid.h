#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace tq370::response {

// The frequencies every curve of a plot W pixels wide is computed at: W + 10 points on a
// logarithmic scale, point 0 at 19 Hz and point W at 20600 Hz; the last nine lie beyond
// the plot's right edge. Point i belongs to pixel column i.
//
// The grid also keeps the trigonometry of each point's ω = 2π f / fs, which is the same
// for every band of every curve, so evaluating a band needs no sine or cosine.
class ResponseGrid {
public:
    // A width below 1 gives an empty grid: there is no pixel column to compute.
    explicit ResponseGrid(int widthPx);
    // A grid at the given frequencies, for evaluating bands at chosen points; its width
    // is 0.
    explicit ResponseGrid(std::vector<double> frequenciesHz);

    int widthPx() const { return widthPx_; }
    std::size_t size() const { return frequenciesHz_.size(); }

    std::span<const double> frequenciesHz() const { return frequenciesHz_; }
    std::span<const double> cosOmega() const { return cos_; }
    std::span<const double> sinOmega() const { return sin_; }
    std::span<const double> cos2Omega() const { return cos2_; }  // cos² ω − sin² ω
    std::span<const double> sin2Omega() const { return sin2_; }  // 2 · cos ω · sin ω

private:
    void cacheTrigonometry();

    int widthPx_ = 0;
    std::vector<double> frequenciesHz_;
    std::vector<double> cos_;
    std::vector<double> sin_;
    std::vector<double> cos2_;
    std::vector<double> sin2_;
};

}  // namespace tq370::response
