#include "celltracking/lineage_svg.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "celltracking/overlay_picture.h"

namespace isbi {

namespace {

constexpr double column = 16;     // pixels between neighbouring leaves
constexpr double frame_step = 8;  // pixels per frame
constexpr double left = 70, top = 30, margin = 20;

std::string colour(std::int32_t label) {
    const Rgb c = OverlayColours::rgb_of_label(label);
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
    return text;
}

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

// Column of every label: leaves take the next free column from left to
// right, a parent the middle of its children's.
class Layout {
public:
    explicit Layout(const std::map<std::int32_t, TrackLineage::Segment>& tracks) {
        for (const auto& [label, track] : tracks)
            if (track.parent != 0 && tracks.count(track.parent))
                children_[track.parent].push_back(label);
            else
                roots_.push_back(label);
        for (std::int32_t root : roots_) place(root);
    }
    double x(std::int32_t label) const { return columns_.at(label); }
    int leaves() const { return next_leaf_; }

private:
    double place(std::int32_t label) {
        // An explicit stack: gap after gap can make a chain thousands long.
        struct Item {
            std::int32_t label;
            std::size_t next_child;
        };
        std::vector<Item> stack = {{label, 0}};
        while (!stack.empty()) {
            Item& item = stack.back();
            const auto found = children_.find(item.label);
            const std::size_t count = found == children_.end() ? 0 : found->second.size();
            if (item.next_child < count) {
                stack.push_back({found->second[item.next_child++], 0});
                continue;
            }
            columns_[item.label] = count == 0 ? next_leaf_++
                                              : (columns_.at(found->second.front()) + columns_.at(found->second.back())) / 2;
            stack.pop_back();
        }
        return columns_.at(label);
    }

    std::map<std::int32_t, std::vector<std::int32_t>> children_;
    std::vector<std::int32_t> roots_;
    std::map<std::int32_t, double> columns_;
    int next_leaf_ = 0;
};

}  // namespace

void write_lineage_svg(std::ostream& out, const std::map<std::int32_t, TrackLineage::Segment>& tracks) {
    std::int32_t first = 0, last = 0;
    if (!tracks.empty()) {
        first = tracks.begin()->second.begin;
        for (const auto& entry : tracks) {
            first = std::min(first, entry.second.begin);
            last = std::max(last, entry.second.end);
        }
    }
    const Layout layout(tracks);
    const auto px = [&](std::int32_t label) { return left + column * (layout.x(label) + 0.5); };
    const auto y_top = [&](std::int32_t frame) { return top + frame_step * (frame - first); };
    const auto y_bottom = [&](std::int32_t frame) { return y_top(frame) + frame_step * 0.75; };
    const double width = left + column * std::max(layout.leaves(), 1) + margin;
    const double height = y_top(last + 1) + margin;

    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << number(width) << "\" height=\""
        << number(height) << "\" viewBox=\"0 0 " << number(width) << ' ' << number(height) << "\""
        << " font-family=\"sans-serif\" font-size=\"9\">\n"
        << "<title>Cell lineage: " << tracks.size() << " tracks, frames " << first << " to " << last << "</title>\n"
        << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";

    // Time axis: a tick every 10 frames (every frame on short sequences).
    const int tick = last - first < 20 ? 1 : last - first < 100 ? 5 : 10;
    out << "<g stroke=\"#999\" fill=\"#444\">\n<text x=\"4\" y=\"" << number(top - 12) << "\">frame</text>\n";
    for (std::int32_t f = first - first % tick; f <= last; f += tick) {
        if (f < first) continue;
        out << "<line x1=\"" << number(left - 8) << "\" y1=\"" << number(y_top(f)) << "\" x2=\"" << number(width)
            << "\" y2=\"" << number(y_top(f)) << "\" stroke-opacity=\"0.25\"/>"
            << "<text x=\"4\" y=\"" << number(y_top(f) + 3) << "\" stroke=\"none\">" << f << "</text>\n";
    }
    out << "</g>\n<g stroke-width=\"3\" fill=\"none\">\n";
    for (const auto& [label, track] : tracks) {
        const std::string c = colour(label);
        const auto parent = tracks.find(track.parent);
        if (track.parent != 0 && parent != tracks.end())
            out << "<path d=\"M" << number(px(track.parent)) << ' ' << number(y_bottom(parent->second.end)) << "H"
                << number(px(label)) << "V" << number(y_top(track.begin)) << "\" stroke=\"" << c
                << "\" stroke-width=\"1.5\"/>\n";
        out << "<line x1=\"" << number(px(label)) << "\" y1=\"" << number(y_top(track.begin)) << "\" x2=\""
            << number(px(label)) << "\" y2=\"" << number(y_bottom(track.end)) << "\" stroke=\"" << c << "\"/>\n";
    }
    out << "</g>\n<g fill=\"#222\">\n";
    for (const auto& [label, track] : tracks)
        out << "<text x=\"" << number(px(label) + 3) << "\" y=\"" << number(y_top(track.begin) + 7) << "\">" << label
            << "</text>\n";
    out << "</g>\n</svg>\n";
}

}  // namespace isbi
