#include "tools/blueprint/ShipSvg.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>
#include <map>
#include <numeric>

#include "tools/blueprint/DisplayText.h"
#include "tools/blueprint/NumberText.h"

namespace blueprint_tool {

namespace {

// The page, in pixels.
constexpr double kMargin = 24;
constexpr double kHeaderHeight = 78;
constexpr double kViewTitleHeight = 22;
constexpr double kViewsWidth = 1150;      // what the three views share side by side
constexpr double kMaxViewHeight = 520;
constexpr double kMinViewWidth = 230;     // room for a view's title
constexpr double kMinViewHeight = 120;
constexpr double kViewPadding = 18;
constexpr double kViewGap = 24;
constexpr double kMaxScale = 60;          // pixels per unit, for a ship of one module
constexpr double kScaleBarHeight = 40;
constexpr double kLegendRowHeight = 22;
constexpr double kLegendCharWidth = 7.9;  // of the legend's monospace font at 13 px
constexpr double kItemRadius = 3.5;
constexpr double kMinModuleHalf = 3;

constexpr const char* kNoItemColour = "#D9D9D9";
constexpr const char* kPalette[] = {"#4E79A7", "#F28E2B", "#E15759", "#76B7B2", "#59A14F", "#EDC948",
                                    "#B07AA1", "#FF9DA7", "#9C755F", "#2F4B7C", "#A05195", "#665191"};

enum class ViewKind { Top, Side, Front };

struct View {
    ViewKind kind;
    const char* id;
    const char* title;
};

constexpr View kViews[] = {
    {ViewKind::Top, "top", "Top view (x \u2192, y \u2191)"},
    {ViewKind::Side, "side", "Side view (y \u2192, z \u2191)"},
    {ViewKind::Front, "front", "Front view (\u2190 x, z \u2191)"},
};

// A point as a view shows it: across, up, and how near the viewer.
struct Projected {
    double across;
    double up;
    double nearness;
};

Projected Project(ViewKind view, const Point3& p) {
    switch (view) {
    case ViewKind::Top: return {p.x, p.y, p.z};
    case ViewKind::Side: return {p.y, p.z, p.x};
    case ViewKind::Front: break;
    }
    // Seen from the front, the ship's +x is on the viewer's left.
    return {-static_cast<double>(p.x), p.z, p.y};
}

struct Bounds {
    double left = std::numeric_limits<double>::infinity();
    double right = -std::numeric_limits<double>::infinity();
    double bottom = std::numeric_limits<double>::infinity();
    double top = -std::numeric_limits<double>::infinity();

    void Add(const Projected& p, double half) {
        left = std::min(left, p.across - half);
        right = std::max(right, p.across + half);
        bottom = std::min(bottom, p.up - half);
        top = std::max(top, p.up + half);
    }
    bool Empty() const { return left > right; }
    double Width() const { return right - left; }
    double Height() const { return top - bottom; }
};

std::string Number(double value) { return FixedText(value, 1); }

// Half the edge of a module's square, in units: modules carry positions, not
// sizes, so the square is as large as the closest two modules allow.
double ModuleHalfSize(const std::vector<ShipModule>& modules) {
    // Enough modules to find the spacing of any ship built in the game; a
    // larger file is measured by its first ones.
    const std::size_t measured = std::min<std::size_t>(modules.size(), 2000);
    double closest = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < measured; ++i) {
        for (std::size_t j = i + 1; j < measured; ++j) {
            const Point3& a = modules[i].position;
            const Point3& b = modules[j].position;
            const double d = std::hypot(double(a.x) - b.x, double(a.y) - b.y, double(a.z) - b.z);
            if (d > 1e-3) closest = std::min(closest, d);
        }
    }
    return std::isfinite(closest) ? closest * 0.45 : 1.0;
}

// 1, 2 or 5 times a power of ten, near the length given.
double RoundLength(double length) {
    const double power = std::pow(10.0, std::floor(std::log10(length)));
    for (const double step : {1.0, 2.0, 5.0}) {
        if (step * power >= length) return step * power;
    }
    return 10 * power;
}

std::string Colour(std::size_t index) {
    if (index < std::size(kPalette)) return kPalette[index];
    // Beyond the palette: hues a golden angle apart.
    const double hue = std::fmod(static_cast<double>(index) * 137.508, 360.0);
    return "hsl(" + Number(hue) + ",55%,55%)";
}

// The colour of every item form, in the order the modules first use them.
struct FormColours {
    std::vector<std::string> forms;
    std::map<std::string, std::size_t> index;
    std::vector<std::size_t> moduleCount;
    std::size_t withoutItem = 0;

    explicit FormColours(const std::vector<ShipModule>& modules) {
        for (const ShipModule& module : modules) {
            if (module.item.empty()) {
                ++withoutItem;
                continue;
            }
            const auto [entry, added] = index.try_emplace(module.item, forms.size());
            if (added) {
                forms.push_back(module.item);
                moduleCount.push_back(0);
            }
            ++moduleCount[entry->second];
        }
    }
    std::string Of(const std::string& item) const { return item.empty() ? kNoItemColour : Colour(index.at(item)); }
};

// Characters, not bytes, of UTF-8 text.
std::size_t CharacterCount(const std::string& text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string PositionText(const Point3& p) {
    return "(" + FixedText(p.x, 2) + ", " + FixedText(p.y, 2) + ", " + FixedText(p.z, 2) + ")";
}

class SvgWriter {
public:
    explicit SvgWriter(const ShipPicture& picture) : picture_(picture), colours_(picture.modules) {}

    std::string Write() {
        Measure();
        Begin();
        WriteHeader();
        for (std::size_t v = 0; v < std::size(kViews); ++v) WriteView(v);
        WriteScaleBar();
        WriteLegend();
        out_ += "</svg>\n";
        return std::move(out_);
    }

private:
    struct Panel {
        Bounds bounds;
        double x = 0;       // the frame, in pixels
        double width = 0;
        double height = 0;
        double offsetX = 0;  // of the drawing inside the frame
        double offsetY = 0;
    };

    struct LegendEntry {
        std::string swatch;  // an SVG element drawn at (0, 0) to (14, 14)
        std::string text;
    };

    double ViewsTop() const { return kHeaderHeight + kViewTitleHeight; }
    double ViewsBottom() const { return ViewsTop() + viewsHeight_; }

    void Measure() {
        moduleHalf_ = ModuleHalfSize(picture_.modules);
        double widths = 0;
        double tallest = 0;
        for (std::size_t v = 0; v < std::size(kViews); ++v) {
            Bounds& bounds = panels_[v].bounds;
            for (const ShipModule& module : picture_.modules) bounds.Add(Project(kViews[v].kind, module.position), moduleHalf_);
            for (const DecorationItem& item : picture_.items) bounds.Add(Project(kViews[v].kind, item.position), 0);
            if (bounds.Empty()) bounds.Add({0, 0, 0}, 1);
            if (bounds.Width() < 1e-6) bounds.Add({bounds.left, bounds.bottom, 0}, 1);
            if (bounds.Height() < 1e-6) bounds.Add({bounds.left, bounds.bottom, 0}, 1);
            widths += bounds.Width();
            tallest = std::max(tallest, bounds.Height());
        }
        const double drawable = kViewsWidth - 2 * kViewGap - 6 * kViewPadding;
        scale_ = std::min({drawable / widths, (kMaxViewHeight - 2 * kViewPadding) / tallest, kMaxScale});
        if (!(scale_ > 0) || !std::isfinite(scale_)) scale_ = 1;

        double x = kMargin;
        for (Panel& panel : panels_) {
            const double drawnWidth = panel.bounds.Width() * scale_;
            const double drawnHeight = panel.bounds.Height() * scale_;
            panel.x = x;
            panel.width = std::max(drawnWidth + 2 * kViewPadding, kMinViewWidth);
            panel.height = std::max(drawnHeight + 2 * kViewPadding, kMinViewHeight);
            panel.offsetX = (panel.width - drawnWidth) / 2;
            viewsHeight_ = std::max(viewsHeight_, panel.height);
            x += panel.width + kViewGap;
        }
        for (Panel& panel : panels_) panel.offsetY = (panel.height - panel.bounds.Height() * scale_) / 2;
        width_ = std::max(x - kViewGap + kMargin, 720.0);
        MakeLegend();
        legendColumns_ = std::max<std::size_t>(1, static_cast<std::size_t>((width_ - 2 * kMargin) / legendColumnWidth_));
        const std::size_t rows = (legend_.size() + legendColumns_ - 1) / legendColumns_;
        height_ = ViewsBottom() + kScaleBarHeight + static_cast<double>(rows) * kLegendRowHeight + kMargin;
    }

    void MakeLegend() {
        const auto square = [](const std::string& colour) {
            return "<rect width=\"14\" height=\"14\" fill=\"" + colour + "\" fill-opacity=\"0.8\" stroke=\"#333\"/>";
        };
        for (std::size_t i = 0; i < colours_.forms.size(); ++i) {
            legend_.push_back({square(Colour(i)), colours_.forms[i] + " \u00B7 " +
                                                      Counted(colours_.moduleCount[i], "module", "modules")});
        }
        if (colours_.withoutItem != 0) {
            legend_.push_back({square(kNoItemColour), "no item form \u00B7 " +
                                                          Counted(colours_.withoutItem, "module", "modules")});
        }
        std::size_t loose = 0;
        std::size_t workshop = 0;
        for (const DecorationItem& item : picture_.items) ++(item.workshopItem ? workshop : loose);
        if (loose != 0) {
            legend_.push_back({ItemMark(7, 7, false, "mark", ""), Counted(loose, "decoration item", "decoration items")});
        }
        if (workshop != 0) {
            legend_.push_back({ItemMark(7, 7, true, "mark", ""), Counted(workshop, "workshop item", "workshop items")});
        }
        std::size_t longest = 0;
        for (const LegendEntry& entry : legend_) longest = std::max(longest, CharacterCount(DisplayText(entry.text)));
        legendColumnWidth_ = 14 + 10 + static_cast<double>(longest) * kLegendCharWidth + 28;
    }

    // A decoration item's mark centred on (x, y); `inside` goes between the
    // element's tags.
    static std::string ItemMark(double x, double y, bool workshop, const char* cssClass, const std::string& inside) {
        std::string mark;
        if (!workshop) {
            mark = "<circle class=\"" + std::string(cssClass) + "\" cx=\"" + Number(x) + "\" cy=\"" + Number(y) +
                   "\" r=\"" + Number(kItemRadius) + "\"";
        } else {
            const double r = kItemRadius + 1;
            mark = "<polygon class=\"" + std::string(cssClass) + " workshop\" points=\"" + Number(x) + "," +
                   Number(y - r) + " " + Number(x + r) + "," + Number(y) + " " + Number(x) + "," + Number(y + r) + " " +
                   Number(x - r) + "," + Number(y) + "\"";
        }
        mark += " fill=\"#222\" stroke=\"#FFF\">" + inside + (workshop ? "</polygon>" : "</circle>");
        return mark;
    }

    void Begin() {
        out_ += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
        out_ += "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + Number(width_) + "\" height=\"" +
                Number(height_) + "\" viewBox=\"0 0 " + Number(width_) + " " + Number(height_) +
                "\" font-family=\"DejaVu Sans, Helvetica, Arial, sans-serif\">\n";
        out_ += "<rect width=\"100%\" height=\"100%\" fill=\"#FFFFFF\"/>\n";
    }

    void WriteHeader() {
        out_ += "<text x=\"" + Number(kMargin) + "\" y=\"38\" font-size=\"24\" font-weight=\"bold\" fill=\"#222\">" +
                XmlText(picture_.name.empty() ? "(unnamed ship)" : picture_.name) + "</text>\n";
        std::string facts = Counted(picture_.modules.size(), "module", "modules") + " \u00B7 " +
                            Counted(picture_.items.size(), "decoration item", "decoration items");
        if (const std::optional<Extent> extent = ModuleExtent(picture_.modules)) {
            facts += " \u00B7 extent " + FixedText(double(extent->max.x) - extent->min.x, 2) + " \u00D7 " +
                     FixedText(double(extent->max.y) - extent->min.y, 2) + " \u00D7 " +
                     FixedText(double(extent->max.z) - extent->min.z, 2) + " (x \u00D7 y \u00D7 z, between module centres)";
        }
        out_ += "<text x=\"" + Number(kMargin) + "\" y=\"62\" font-size=\"14\" fill=\"#555\">" + facts + "</text>\n";
    }

    void WriteView(std::size_t v) {
        const View& view = kViews[v];
        const Panel& panel = panels_[v];
        const double top = ViewsTop();
        out_ += "<g class=\"view\" id=\"" + std::string(view.id) + "\">\n";
        out_ += "<text x=\"" + Number(panel.x) + "\" y=\"" + Number(top - 8) +
                "\" font-size=\"14\" font-weight=\"bold\" fill=\"#333\">" + view.title + "</text>\n";
        out_ += "<rect x=\"" + Number(panel.x) + "\" y=\"" + Number(top) + "\" width=\"" + Number(panel.width) +
                "\" height=\"" + Number(panel.height) + "\" fill=\"#FAFAFA\" stroke=\"#999\"/>\n";
        WriteGrid(panel);

        const auto toX = [&](double across) { return panel.x + panel.offsetX + (across - panel.bounds.left) * scale_; };
        const auto toY = [&](double up) { return top + panel.offsetY + (panel.bounds.top - up) * scale_; };

        // The nearest last, so that it is seen.
        std::vector<std::size_t> order(picture_.modules.size());
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return Project(view.kind, picture_.modules[a].position).nearness <
                   Project(view.kind, picture_.modules[b].position).nearness;
        });
        const double half = std::max(moduleHalf_ * scale_, kMinModuleHalf);
        for (const std::size_t m : order) {
            const ShipModule& module = picture_.modules[m];
            const Projected p = Project(view.kind, module.position);
            out_ += "<rect class=\"module\" x=\"" + Number(toX(p.across) - half) + "\" y=\"" +
                    Number(toY(p.up) - half) + "\" width=\"" + Number(2 * half) + "\" height=\"" + Number(2 * half) +
                    "\" fill=\"" + colours_.Of(module.item) + "\" fill-opacity=\"0.8\" stroke=\"#333\">" +
                    "<title>module " + std::to_string(m) + ": " +
                    XmlText(module.item.empty() ? "no item form" : module.item) + " at " +
                    PositionText(module.position) + "</title></rect>\n";
        }
        for (std::size_t i = 0; i < picture_.items.size(); ++i) {
            const DecorationItem& item = picture_.items[i];
            const Projected p = Project(view.kind, item.position);
            out_ += ItemMark(toX(p.across), toY(p.up), item.workshopItem, "item",
                             "<title>item " + std::to_string(i) + ": " + XmlText(item.base) + " at " +
                                 PositionText(item.position) + "</title>") +
                    "\n";
        }
        out_ += "</g>\n";
    }

    void WriteGrid(const Panel& panel) {
        const double step = RoundLength(100 / scale_);
        const double top = ViewsTop();
        const double left = panel.bounds.left - panel.offsetX / scale_;
        const double right = left + panel.width / scale_;
        const double up = panel.bounds.top + panel.offsetY / scale_;
        const double down = up - panel.height / scale_;
        const auto line = [&](double x1, double y1, double x2, double y2, bool axis) {
            out_ += "<line x1=\"" + Number(x1) + "\" y1=\"" + Number(y1) + "\" x2=\"" + Number(x2) + "\" y2=\"" +
                    Number(y2) + "\" stroke=\"" + (axis ? "#BBB" : "#E6E6E6") + "\"" +
                    (axis ? " stroke-dasharray=\"4 3\"" : "") + "/>\n";
        };
        for (double g = std::ceil(left / step) * step; g <= right; g += step) {
            const double x = panel.x + (g - left) * scale_;
            line(x, top, x, top + panel.height, std::abs(g) < step / 2);
        }
        for (double g = std::ceil(down / step) * step; g <= up; g += step) {
            const double y = top + (up - g) * scale_;
            line(panel.x, y, panel.x + panel.width, y, std::abs(g) < step / 2);
        }
    }

    void WriteScaleBar() {
        const double step = RoundLength(100 / scale_);
        const double y = ViewsBottom() + 24;
        const double length = step * scale_;
        out_ += "<g class=\"scale\">\n<line x1=\"" + Number(kMargin) + "\" y1=\"" + Number(y) + "\" x2=\"" +
                Number(kMargin + length) + "\" y2=\"" + Number(y) + "\" stroke=\"#333\" stroke-width=\"2\"/>\n";
        for (const double x : {kMargin, kMargin + length}) {
            out_ += "<line x1=\"" + Number(x) + "\" y1=\"" + Number(y - 5) + "\" x2=\"" + Number(x) + "\" y2=\"" +
                    Number(y + 5) + "\" stroke=\"#333\" stroke-width=\"2\"/>\n";
        }
        out_ += "<text x=\"" + Number(kMargin + length + 10) + "\" y=\"" + Number(y + 5) +
                "\" font-size=\"13\" fill=\"#333\">" + StepText(step) + " units (grid lines every " + StepText(step) +
                ")</text>\n</g>\n";
    }

    static std::string StepText(double step) {
        return step >= 1 ? FixedText(step, 0) : FixedText(step, static_cast<int>(std::ceil(-std::log10(step))));
    }

    void WriteLegend() {
        const double top = ViewsBottom() + kScaleBarHeight;
        out_ += "<g class=\"legend\" font-family=\"DejaVu Sans Mono, Menlo, Consolas, monospace\" font-size=\"13\">\n";
        for (std::size_t i = 0; i < legend_.size(); ++i) {
            const double x = kMargin + static_cast<double>(i % legendColumns_) * legendColumnWidth_;
            const double y = top + static_cast<double>(i / legendColumns_) * kLegendRowHeight;
            out_ += "<g transform=\"translate(" + Number(x) + "," + Number(y) + ")\">" + legend_[i].swatch +
                    "<text x=\"24\" y=\"12\" fill=\"#222\">" + XmlText(legend_[i].text) + "</text></g>\n";
        }
        out_ += "</g>\n";
    }

    const ShipPicture& picture_;
    FormColours colours_;
    Panel panels_[std::size(kViews)];
    double moduleHalf_ = 1;
    double scale_ = 1;
    double viewsHeight_ = 0;
    double width_ = 0;
    double height_ = 0;
    std::vector<LegendEntry> legend_;
    std::string out_;
    double legendColumnWidth_ = 0;
    std::size_t legendColumns_ = 1;
};

}  // namespace

std::string ShipSvg(const ShipPicture& picture) { return SvgWriter(picture).Write(); }

}  // namespace blueprint_tool
