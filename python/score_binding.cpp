#include "python/score_binding.h"

#include <pybind11/numpy.h>
#include <pybind11/stl.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/scoring/event_matching.h"

namespace py = pybind11;

namespace python {
namespace {

using Times = py::array_t<double, py::array::c_style | py::array::forcecast>;

// The values of a one-dimensional array of times, refusing what is no time.
std::vector<double> TimesOf(const Times& times, const char* what) {
    if (times.ndim() != 1)
        throw py::value_error(std::string(what) + " must be a one-dimensional array of seconds");
    std::vector<double> values(times.data(), times.data() + times.size());
    for (std::size_t k = 0; k < values.size(); ++k) {
        if (!std::isfinite(values[k]))
            throw py::value_error(std::string(what) + ": item " + std::to_string(k) + " is " +
                                  std::to_string(values[k]) + ", not a time in seconds");
    }
    return values;
}

py::array_t<double> ArrayOf(const std::vector<double>& values) {
    return py::array_t<double>(static_cast<py::ssize_t>(values.size()), values.data());
}

// The figures as the preview's summary gives them, by name.
py::dict FiguresDict(const scoring::Figures& figures) {
    const scoring::Latencies latency = figures.LatencySummary();
    py::dict result;
    result["events"] = figures.Events;
    result["pulses"] = figures.Pulses;
    result["hits"] = figures.Hits;
    result["missed"] = figures.Missed();
    result["false_pulses"] = figures.FalsePulses();
    result["sensitivity"] = figures.Sensitivity();
    result["positive_predictivity"] = figures.PositivePredictivity();
    result["f1"] = figures.F1();
    result["latency_median"] = latency.Median;
    result["latency_p5"] = latency.Low;
    result["latency_p95"] = latency.High;
    result["latencies"] = ArrayOf(figures.HitLatencies);
    return result;
}

py::dict ScoreOutput(const Times& pulseStarts, const Times& references, double early, double late,
                     double from, double to) {
    const std::vector<double> pulses = TimesOf(pulseStarts, "the pulses' starts");
    const std::vector<double> events = TimesOf(references, "reference_times");
    if (!(from < to))
        throw py::value_error("span: its start " + std::to_string(from) +
                              " does not lie before its end " + std::to_string(to));
    std::vector<scoring::PulseFate> fates;
    std::vector<double> missed;
    const scoring::Figures figures =
        scoring::Score(pulses, events, {early, late}, {from, to}, &fates, &missed);
    std::vector<double> falsePulses;
    for (const scoring::PulseFate& fate : fates) {
        if (fate.Counted && !fate.Hit)
            falsePulses.push_back(fate.Start);
    }
    py::dict result = FiguresDict(figures);
    result["missed_times"] = ArrayOf(missed);
    result["false_pulse_times"] = ArrayOf(falsePulses);
    return result;
}

py::dict Combine(const py::iterable& scores) {
    scoring::Figures total;
    for (const py::handle item : scores) {
        const py::dict score = py::cast<py::dict>(item);
        for (const char* key : {"events", "pulses", "hits", "latencies"}) {
            if (!score.contains(key))
                throw py::value_error(std::string("a score without \"") + key +
                                      "\": combine the dicts that score returns");
        }
        scoring::Figures figures;
        figures.Events = score["events"].cast<std::size_t>();
        figures.Pulses = score["pulses"].cast<std::size_t>();
        figures.Hits = score["hits"].cast<std::size_t>();
        figures.HitLatencies = TimesOf(score["latencies"].cast<Times>(), "latencies");
        if (figures.Hits > figures.Events || figures.Hits > figures.Pulses ||
            figures.HitLatencies.size() != figures.Hits)
            throw py::value_error(
                "a score whose hits do not fit its events, pulses and "
                "latencies: combine the dicts that score returns");
        total += figures;
    }
    return FiguresDict(total);
}

}  // namespace

void AddScoring(py::module_& module) {
    module.def("_score", &ScoreOutput, py::arg("pulse_starts"), py::arg("reference_times"),
               py::arg("early"), py::arg("late"), py::arg("start"), py::arg("end"),
               "Scores pulse starts (ascending) against reference times; see tarvel.score.");
    module.def("combine", &Combine, py::arg("scores"),
               "The figures of several scores (of several recordings) as one: counts add, "
               "latencies join, the ratios and latency percentiles are those of the total.");
}

}  // namespace python
