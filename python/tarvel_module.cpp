// The Python module's compiled part, tarvel._tarvel: the configuration, the programmed device
// and its replay of numpy arrays, over the project's own libraries. The package around it
// (python/tarvel/) adds what needs other Python libraries (MNE's recordings).
#include <dlfcn.h>
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/device/device_description_text.h"
#include "host/files/file_error.h"
#include "host/ostrel/ostrel_host.h"
#include "host/ostrel/preview_steps.h"
#include "host/preview/formats/signal_file_error.h"
#include "host/preview/reports/trace_labels.h"
#include "python/array_recording.h"
#include "python/configuration.h"
#include "python/programmed_device.h"
#include "python/score_binding.h"

namespace py = pybind11;

namespace python {
namespace {

// The package's folder lies inside the host's folder, beside libKyt.so and libtarvel.so, as
// ostrel lies beside them: the session loads them from there.
std::filesystem::path HostFolder() {
    Dl_info info{};
    dladdr(reinterpret_cast<void*>(&HostFolder), &info);
    return std::filesystem::path(info.dli_fname).parent_path().parent_path();
}

class Configuration {
public:
    explicit Configuration(std::string text) : text_(std::move(text)) {}
    const std::string& Text() const { return text_; }
    bool operator==(const Configuration&) const = default;

private:
    std::string text_;
};

class Device {
public:
    explicit Device(const std::string& description) : device_(description) {}

    std::string Description() const {
        return device::FormatDeviceDescription(device_.Description());
    }

    py::list Inputs() const {
        py::list inputs;
        for (const preview::InputScale& input : device_.Inputs())
            inputs.append(py::make_tuple(input.Range, input.Unit));
        return inputs;
    }

    py::list Program(const Configuration& configuration) {
        const Programming done = device_.Program(configuration.Text());
        py::list outputs;
        for (const OutputProgramming& output : done.Outputs) {
            py::dict row;
            row["output"] = output.Output;
            row["name"] = preview::OutputName(output.Output);
            row["accepted"] = output.Accepted;
            row["active"] = output.Active;
            row["reason"] = output.Reason;
            outputs.append(row);
        }
        const py::object warn = py::module_::import("warnings").attr("warn");
        for (const std::string& message : done.Messages)
            warn("the extension showed a message box: " + message, PyExc_RuntimeWarning);
        return outputs;
    }

    // The events of replaying `data` (samples x inputs, in the inputs' units, or in `units`
    // per column) sampled at `rate` from `start` seconds.
    py::array Replay(const py::array_t<double, py::array::forcecast>& data, double rate,
                     double start, const std::optional<std::vector<std::string>>& units,
                     const std::optional<std::vector<std::string>>& names) {
        if (data.ndim() != 2) {
            std::string shape;
            for (py::ssize_t axis = 0; axis < data.ndim(); ++axis)
                shape += (axis > 0 ? ", " : "") + std::to_string(data.shape(axis));
            throw py::value_error(
                "data must be a two-dimensional array of samples by inputs, one column per "
                "input (for one input: data[:, None]); this one has the shape (" +
                shape + (data.ndim() == 1 ? ",)" : ")"));
        }
        if (!std::isfinite(start))
            throw py::value_error("start must be the time of the first sample in seconds, not " +
                                  std::to_string(start));
        const ArrayView view{reinterpret_cast<const char*>(data.data()), data.shape(0),
                             data.shape(1), data.strides(0), data.strides(1)};
        ArrayChannels channels;
        if (units || names) {
            for (py::ssize_t k = 0; k < view.Columns; ++k) {
                const std::size_t column = static_cast<std::size_t>(k);
                const preview::InputScale* input =
                    column < device_.Inputs().size() ? &device_.Inputs()[column] : nullptr;
                channels.Channels.push_back({names && column < names->size()
                                                 ? (*names)[column]
                                                 : "Input " + std::to_string(k + 1),
                                             units && column < units->size() ? (*units)[column]
                                             : input != nullptr              ? input->Unit
                                                                             : ""});
            }
            if ((units && units->size() != channels.Channels.size()) ||
                (names && names->size() != channels.Channels.size()))
                throw py::value_error("units and names must give one item per column of data (" +
                                      std::to_string(view.Columns) + ")");
        }
        const std::vector<device::OutputProgram> programs = device_.Programs();
        EventTable table;
        {
            py::gil_scoped_release unlocked;
            const std::unique_ptr<preview::SignalReader> reader =
                OpenArray(view, rate, start, channels, device_.Inputs());
            table = python::Replay(programs, *reader, kArrayName);
        }
        return EventsArray(table);
    }

private:
    // The events as a structured array with the events CSV's fields.
    static py::array EventsArray(const EventTable& table) {
        std::vector<std::string> names;
        std::vector<std::string> notes;
        std::size_t nameWidth = 1, noteWidth = 1;
        for (const EventRow& row : table.Rows) {
            names.push_back(preview::OutputName(row.Output));
            notes.push_back(table.NoteOf(row));
            nameWidth = std::max(nameWidth, names.back().size());
            noteWidth = std::max(noteWidth, notes.back().size());
        }
        constexpr std::size_t kEventWidth = 7;  // "ignored"
        // Packed fields: output, name, event, start, end, note.
        const std::size_t nameAt = 4, eventAt = nameAt + 4 * nameWidth,
                          startAt = eventAt + 4 * kEventWidth, endAt = startAt + 8,
                          noteAt = endAt + 8, size = noteAt + 4 * noteWidth;
        py::dict layout;
        layout["names"] = py::make_tuple("output", "name", "event", "start", "end", "note");
        layout["formats"] = py::make_tuple("<i4", "<U" + std::to_string(nameWidth),
                                           "<U" + std::to_string(kEventWidth), "<f8", "<f8",
                                           "<U" + std::to_string(noteWidth));
        layout["offsets"] = py::make_tuple(0, nameAt, eventAt, startAt, endAt, noteAt);
        layout["itemsize"] = size;
        py::array events(py::dtype::from_args(layout),
                         std::vector<py::ssize_t>{static_cast<py::ssize_t>(table.Rows.size())});
        char* bytes = static_cast<char*>(events.mutable_data());
        std::memset(bytes, 0, size * table.Rows.size());
        const auto text = [](char* at, const std::string& ascii) {
            for (std::size_t i = 0; i < ascii.size(); ++i) {
                const std::uint32_t code = static_cast<unsigned char>(ascii[i]);
                std::memcpy(at + 4 * i, &code, 4);
            }
        };
        for (std::size_t i = 0; i < table.Rows.size(); ++i) {
            const EventRow& row = table.Rows[i];
            char* at = bytes + i * size;
            const double start = table.TimeOf(row.Start);
            const double end = row.Pulse ? table.TimeOf(row.End) : std::nan("");
            std::memcpy(at, &row.Output, 4);
            text(at + nameAt, names[i]);
            text(at + eventAt, row.Pulse ? "pulse" : "ignored");
            std::memcpy(at + startAt, &start, 8);
            std::memcpy(at + endAt, &end, 8);
            text(at + noteAt, notes[i]);
        }
        return events;
    }

    ProgrammedDevice device_;
};

}  // namespace
}  // namespace python

PYBIND11_MODULE(_tarvel, module) {
    using python::Configuration;
    using python::Device;
    module.doc() =
        "The configuration, the programmed simulated Corvex and its replay of numpy arrays.";
    ostrel::OstrelHost::UseFolder(python::HostFolder());

    py::register_exception_translator([](std::exception_ptr raised) {
        try {
            if (raised)
                std::rethrow_exception(raised);
        } catch (const device::DeviceDescriptionError& error) {
            PyErr_SetString(PyExc_ValueError,
                            (std::string("bad device description: ") + error.what()).c_str());
        } catch (const python::ConfigurationError& error) {
            PyErr_SetString(PyExc_ValueError, error.what());
        } catch (const preview::SignalFileError& error) {
            PyErr_SetString(PyExc_ValueError, error.what());
        } catch (const ostrel::PreviewError& error) {
            PyErr_SetString(PyExc_ValueError, error.what());
        } catch (const files::FileError& error) {
            PyErr_SetString(PyExc_OSError, error.what());
        }
    });

    py::class_<Configuration>(module, "Configuration",
                              "A configuration text that reads, as the writer writes it.")
        .def_static(
            "from_text",
            [](const std::string& text) { return Configuration(python::ReadConfiguration(text)); },
            py::arg("text"),
            "Reads a configuration text; ValueError naming the line where it does not read.")
        .def_static(
            "from_file",
            [](const std::string& path) {
                return Configuration(python::ReadConfigurationFile(path));
            },
            py::arg("path"),
            "Reads a configuration text file; ValueError naming the file and the line where it "
            "does not read, OSError when it cannot be read.")
        .def_property_readonly("text", &Configuration::Text,
                               "The configuration text, as `ostrel check` writes it.")
        .def("__str__", &Configuration::Text)
        .def("__eq__", &Configuration::operator==)
        .def("__repr__", [](const Configuration& configuration) {
            const std::string& text = configuration.Text();
            const auto outputs = std::count(text.begin(), text.end(), '\n');
            return "<tarvel.Configuration of " + std::to_string(outputs) + " lines>";
        });

    python::AddScoring(module);

    py::class_<Device>(module, "Device",
                       "A simulated Corvex, programmed through the extension as ostrel does.")
        .def(py::init<const std::string&>(), py::arg("description") = "",
             "A device of the description, in ostrel's --device syntax (empty: the "
             "demonstration device); ValueError for one that does not read.")
        .def_property_readonly("description", &Device::Description,
                               "The device's description, every key written out.")
        .def_property_readonly("inputs", &Device::Inputs,
                               "Per input its full-scale range and unit: [(10.0, 'V'), ...].")
        .def("program", &Device::Program, py::arg("configuration"),
             "Programs the device with the configuration, as `ostrel apply` does. Returns per "
             "output a dict: output, name, accepted (the device took the block), active (the "
             "output can go high) and reason (why not).")
        .def("replay", &Device::Replay, py::arg("data"), py::arg("rate"), py::arg("start") = 0.0,
             py::arg("units") = py::none(), py::arg("names") = py::none(),
             "Replays data (samples x inputs, column k is Input k + 1, each in its input's unit "
             "or in units[k]) sampled at rate per second through what the device holds. Returns "
             "the events as a structured array with the fields of ostrel's --events CSV: output, "
             "name, event, start, end (seconds, from start) and note. The interpreter runs "
             "other threads meanwhile.")
        .def("__repr__",
             [](const Device& device) { return "tarvel.Device('" + device.Description() + "')"; });
}
