// kivrun-tool graph: the numbers the graph window draws.
#include <cstdio>
#include <ostream>

#include "document/SavedFilter.h"
#include "document/TamselDoc.h"
#include "summaries/GraphModel.h"
#include "tool/Tool.h"

namespace kivrun::tool {
namespace {

// The graph's numbers are laid out for a plot this high, as the graph window's would be.
constexpr int kPlotHeight = 600;

// Three decimals at most, never in exponent form: totals of years of seconds are large.
std::string Number(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", value);
    std::string s = text;
    s.erase(s.find_last_not_of('0') + 1);
    if (s.back() == '.') s.pop_back();
    return s == "-0" ? "0" : s;
}

int CmdGraph(Context& c) {
    GraphOptions options;
    std::optional<std::string> filter;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < c.args.size(); ++i) {
        const std::string& a = c.args[i];
        auto value = [&]() -> std::string {
            if (i + 1 >= c.args.size()) throw UsageError{"option " + a + " needs a value"};
            return c.args[++i];
        };
        if (a == "--type")
            options.type = value();
        else if (a == "--y")
            options.quantity = value();
        else if (a == "--group")
            options.grouping = value();
        else if (a == "--filter")
            filter = value();
        else if (a == "--cumulative")
            options.cumulative = true;
        else if (a == "--by-sport")
            options.bySport = true;
        else if (a.rfind("--", 0) == 0)
            throw UsageError{"unknown option " + a};
        else
            positional.push_back(a);
    }
    if (positional.size() != 1) throw UsageError{"expected LOG"};
    TerminalUserInterface ui(c.err);
    auto doc = OpenDocument("graph", positional[0], ui, c.err, true);
    if (!doc) return 1;
    std::string error;
    const std::optional<GraphSettings> settings =
        ApplyGraphOptions(SavedGraphSettings(*doc), options, error);
    if (!settings) throw UsageError{error};
    if (filter) ApplyFilterText(*doc, *filter);

    CGraphModel model(*doc, *settings);
    model.Resize(1200, kPlotHeight + graph_layout::kTop + graph_layout::kBottom);
    model.Open();
    model.FitScaleToAll();
    const std::vector<GraphSport>& sports = model.Data().Sports();
    c.out << "Period\tAll\tText";
    for (const GraphSport& s : sports)
        c.out << '\t' << s.name;
    c.out << '\n';
    for (int i = 0; i < model.PeriodCount(); ++i) {
        const CGraphModel::PeriodValues v = model.Values(i);
        c.out << model.PeriodFirstDay(i)->Format(1) << '\t' << Number(v.all.value) << '\t'
              << v.all.text;
        for (const GraphValue& s : v.sports)
            c.out << '\t' << Number(s.value);
        c.out << '\n';
    }
    c.out << "Maximum\t" << model.Maximum() << "\nStep\t" << Number(model.Step()) << '\n';
    return 0;
}

const Registration kGraph(
    {95, "graph",
     "graph LOG [--type bar|line|pie] [--y distance|time|workouts|pace] "
     "[--group week|month|year] [--cumulative] [--by-sport] [--filter STATE]",
     "print what the graph window draws: each period's first day, the all-sports value and its "
     "text, each sport's value, then the scale of a 600-pixel plot (options not given are as "
     "the graph window last showed them)",
     CmdGraph});

}  // namespace
}  // namespace kivrun::tool
