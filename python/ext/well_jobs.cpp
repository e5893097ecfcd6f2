// The field traverse, lift curves and lift tables for Python. A case comes
// as a file path, or as case-file text with the tables it names given in
// memory (the Python layer writes a dict case as such text), so one reader
// serves both. The request is prepared and run by hostkit's well-job
// functions, the command's own; this file only turns the values into
// Python's.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <exception>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "bindings.hpp"
#include "cases/case_plugins.hpp"
#include "cases/well_case.hpp"
#include "jobs/vfp_job.hpp"
#include "jobs/well_request.hpp"
#include "loop_endings.hpp"
#include "plugin/default_library.hpp"
#include "plugin_handle.hpp"
#include "py_text.hpp"
#include "reports/lift_report.hpp"
#include "reports/vfp_deck.hpp"
#include "reports/well_report.hpp"
#include "studies/lift_curves.hpp"
#include "studies/vfp_axes.hpp"
#include "studies/well_traverse.hpp"

namespace py = pybind11;

namespace pipecorr::python {
namespace {

using Files = std::map<std::string, std::string>;

// text: the case-file text, or none to read the file at `path`; a file the
// text names is looked up in `files` before the disk is read. The request
// is checked by hostkit, as the command's is.
hostkit::WellRequest request_of(const std::optional<std::string>& text,
                                const std::string& path, Files files,
                                hostkit::CorrelationNames names,
                                std::optional<double> step) {
  hostkit::WellRequest request;
  request.source = {path, text, std::move(files)};
  request.correlations = std::move(names);
  request.step = step;
  return request;
}

using Handles = std::vector<const PluginHandle*>;

// A run of each plug-in around a job, unless the caller's session of it
// is open; closed in the reverse order.
class JobRun {
 public:
  explicit JobRun(const Handles& handles) {
    for (const PluginHandle* handle : handles) {
      if (!handle->in_session(lock_)) {
        runs_.push_back(
            std::make_unique<hostkit::RunSession>(handle->library()));
      }
    }
  }
  ~JobRun() {
    while (!runs_.empty()) runs_.pop_back();
  }
  JobRun(const JobRun&) = delete;
  JobRun& operator=(const JobRun&) = delete;

 private:
  PluginCallLock lock_;
  std::vector<std::unique_ptr<hostkit::RunSession>> runs_;
};

// The correlations of every plug-in, names resolved across them as the
// command resolves them.
class Offered {
 public:
  explicit Offered(const Handles& handles) {
    if (handles.empty()) throw hostkit::Error("no plug-in is given");
    if (handles.size() == 1) {
      set_ = &handles.front()->correlations();
      return;
    }
    std::vector<const hostkit::PluginLibrary*> libraries;
    for (const PluginHandle* handle : handles) {
      libraries.push_back(&handle->library());
    }
    const PluginCallLock lock;  // the catalogues are calls too
    own_ = std::make_unique<hostkit::CorrelationSet>(libraries);
    set_ = own_.get();
  }
  [[nodiscard]] const hostkit::CorrelationSet& set() const { return *set_; }

 private:
  std::unique_ptr<hostkit::CorrelationSet> own_;
  const hostkit::CorrelationSet* set_ = nullptr;
};

template <typename Field>
py::array_t<double> column(const std::vector<hostkit::WellStation>& rows,
                           Field field) {
  py::array_t<double> values(static_cast<py::ssize_t>(rows.size()));
  auto* out = values.mutable_data();
  for (const auto& row : rows) *out++ = row.*field;
  return values;
}

// Every station of every traverse, one entry per column, SI.
py::dict station_columns(const std::vector<hostkit::WellTraverse>& traverses) {
  std::vector<hostkit::WellStation> rows;
  py::list correlation;
  for (const auto& traverse : traverses) {
    rows.insert(rows.end(), traverse.stations.begin(), traverse.stations.end());
    for (std::size_t k = 0; k < traverse.stations.size(); ++k) {
      correlation.append(to_python_text(traverse.correlation));
    }
  }
  using S = hostkit::WellStation;
  py::dict columns;
  columns["correlation"] = correlation;
  columns["md"] = column(rows, &S::md);
  columns["tvd"] = column(rows, &S::tvd);
  columns["inclination"] = column(rows, &S::inclination);
  columns["fi"] = column(rows, &S::fi);
  columns["pressure"] = column(rows, &S::pressure);
  columns["temperature"] = column(rows, &S::temperature);
  columns["gradient"] = column(rows, &S::gradient);
  columns["holdup"] = column(rows, &S::holdup);
  py::array_t<std::int32_t> pattern(static_cast<py::ssize_t>(rows.size()));
  auto* id = pattern.mutable_data();
  for (const auto& row : rows) *id++ = row.pattern;
  columns["pattern"] = pattern;
  columns["usl"] = column(rows, &S::usl);
  columns["usg"] = column(rows, &S::usg);
  columns["rol"] = column(rows, &S::rol);
  columns["rog"] = column(rows, &S::rog);
  columns["visl"] = column(rows, &S::visl);
  columns["visg"] = column(rows, &S::visg);
  columns["sigma"] = column(rows, &S::sigma);
  columns["mass_flow"] = column(rows, &S::mass_flow);
  return columns;
}

// names: the correlations to march with; none: those the case names, or
// the plug-in's first.
py::dict traverse_case(const Handles& handles,
                       const std::optional<std::string>& text,
                       const std::string& path, const Files& files,
                       const hostkit::CorrelationNames& names,
                       std::optional<double> step) {
  std::vector<hostkit::WellTraverse> traverses;
  std::string table_text, csv, svg;
  hostkit::WellCase well_case;
  {
    py::gil_scoped_release unlocked;
    const Offered offered(handles);
    hostkit::PreparedTraverse job = hostkit::prepare_well_traverse(
        offered.set(), request_of(text, path, files, names, step));
    {
      const JobRun run(handles);
      traverses = hostkit::march_traverses(job);
    }
    well_case = std::move(job.well_case);
    table_text = hostkit::well_traverse_text(well_case, traverses);
    csv = hostkit::well_traverse_csv(well_case, traverses);
    svg = hostkit::well_traverse_svg(well_case, traverses);
  }
  py::list summaries;
  for (const auto& traverse : traverses) {
    py::dict summary;
    summary["correlation"] = to_python_text(traverse.correlation);
    summary["completed"] = traverse.completed;
    summary["stopped"] = to_python_text(traverse.stopped);
    summary["answer"] = traverse.completed
                            ? py::object(py::float_(traverse.answer))
                            : py::object(py::none());
    summary["evaluations"] = traverse.evaluations;
    summaries.append(summary);
  }
  py::dict result;
  result["title"] = to_python_text(well_case.title);
  result["columns"] = station_columns(traverses);
  result["traverses"] = summaries;
  result["text"] = to_python_text(table_text);
  result["csv"] = to_python_text(csv);
  result["svg"] = to_python_text(svg);
  return result;
}

py::object crossing(const std::optional<well::Crossing>& point) {
  if (!point) return py::none();
  py::dict result;
  result["liquid_rate"] = point->rate;
  result["bottom_hole_pressure"] = point->flowing_pressure;
  result["stable"] = point->stable && !point->heading;
  result["heading"] = point->heading;
  return result;
}

py::dict lift_case(const Handles& handles,
                   const std::optional<std::string>& text,
                   const std::string& path, const Files& files,
                   const hostkit::CorrelationNames& names,
                   std::optional<double> step) {
  hostkit::LiftCurves curves;
  std::string table_text, csv, svg;
  hostkit::WellCase well_case;
  {
    py::gil_scoped_release unlocked;
    const Offered offered(handles);
    hostkit::PreparedLift job = hostkit::prepare_lift(
        offered.set(), request_of(text, path, files, names, step));
    {
      const JobRun run(handles);
      curves = hostkit::compute_lift_curves(job);
    }
    well_case = std::move(job.well_case);
    table_text = hostkit::lift_curves_text(well_case, curves);
    csv = hostkit::lift_curves_csv(well_case, curves);
    svg = hostkit::lift_curves_svg(well_case, curves);
  }
  py::list list;
  for (const auto& curve : curves.curves) {
    py::dict entry;
    entry["gas_liquid_ratio"] = curve.gas_liquid_ratio;
    entry["wellhead_pressure"] = curve.wellhead_pressure;
    std::vector<double> rates, pressures;
    for (const auto& point : curve.points) {
      rates.push_back(point.rate);
      pressures.push_back(point.flowing_pressure);
    }
    entry["liquid_rate"] = py::array_t<double>(
        static_cast<py::ssize_t>(rates.size()), rates.data());
    entry["bottom_hole_pressure"] = py::array_t<double>(
        static_cast<py::ssize_t>(pressures.size()), pressures.data());
    py::list failures;
    for (const auto& failure : curve.failures) {
      failures.append(to_python_text(failure));
    }
    entry["failures"] = failures;
    py::list crossings;
    for (const auto& each : curve.crossings) crossings.append(crossing(each));
    entry["crossings"] = crossings;
    entry["operating_point"] = crossing(curve.operating_point);
    list.append(entry);
  }
  py::dict result;
  result["title"] = to_python_text(well_case.title);
  result["correlation"] = to_python_text(curves.correlation);
  result["curves"] = list;
  result["text"] = to_python_text(table_text);
  result["csv"] = to_python_text(csv);
  result["svg"] = to_python_text(svg);
  return result;
}

py::array_t<double> values_of(const std::vector<double>& values) {
  return py::array_t<double>(static_cast<py::ssize_t>(values.size()),
                             values.data());
}

// The table's pressures and whether each was computed, in the deck's own
// order: (THP, water, gas, ALQ, rate) for VFPPROD, (THP, rate) for VFPINJ.
// The build holds them rate fastest, then gas, water and THP, which is
// that order with its single ALQ index (and an injector's single water
// and gas ones) left out.
void put_points(py::dict& result, const std::vector<double>& bhp,
                const std::vector<bool>& computed,
                const std::vector<py::ssize_t>& shape) {
  py::array_t<double> pressures(shape);
  std::copy(bhp.begin(), bhp.end(), pressures.mutable_data());
  py::array_t<bool> done(shape);
  std::copy(computed.begin(), computed.end(), done.mutable_data());
  result["bhp"] = pressures;
  result["computed"] = done;
}

template <typename Table>
void put_heading(py::dict& result, const Table& table) {
  result["units"] =
      table.units == hostkit::VfpUnits::kField ? "FIELD" : "METRIC";
  result["datum_depth"] = table.datum_depth;
  result["rate_type"] = to_python_text(hostkit::vfp_rate_word(table.rate_type));
  result["rates"] = values_of(table.rates);
  result["thp"] = values_of(table.thp);
}

// The table's values in the deck's units, as hostkit writes them.
py::dict vfp_values(const hostkit::VfpBuild& build, hostkit::UnitSystem units,
                    int number) {
  py::dict result;
  const auto size = [](const auto& axis) {
    return static_cast<py::ssize_t>(axis.size());
  };
  if (build.axes.injector) {
    const auto table = hostkit::vfp_injection_table(build, units, number);
    result["kind"] = "VFPINJ";
    put_heading(result, table);
    put_points(result, table.bhp, build.computed,
               {size(table.thp), size(table.rates)});
    return result;
  }
  const auto table = hostkit::vfp_production_table(build, units, number);
  result["kind"] = "VFPPROD";
  put_heading(result, table);
  result["water_type"] =
      to_python_text(hostkit::vfp_water_word(table.water_type));
  result["gas_type"] = to_python_text(hostkit::vfp_gas_word(table.gas_type));
  result["water"] = values_of(table.water);
  result["gas"] = values_of(table.gas);
  result["alq"] = values_of(table.alq);
  put_points(result, table.bhp, build.computed,
             {size(table.thp), size(table.water), size(table.gas),
              size(table.alq), size(table.rates)});
  return result;
}

// The lift table of a case, as the command's vfp computes and writes it.
// Ctrl-C is looked for while the points are marched (on the interpreter's
// main thread only) and raises KeyboardInterrupt.
py::dict vfp_case(const Handles& handles,
                  const std::optional<std::string>& text,
                  const std::string& path, const Files& files,
                  const hostkit::CorrelationNames& names,
                  std::optional<double> step, int table,
                  const std::optional<std::string>& datum,
                  std::optional<std::size_t> threads,
                  const std::string& bundled_folder) {
  hostkit::VfpJobOutcome outcome;
  SignalWatch watch;
  std::exception_ptr failure;
  {
    py::gil_scoped_release unlocked;
    try {
      const Offered offered(handles);
      hostkit::VfpJobOptions options;
      options.request = request_of(text, path, files, names, step);
      options.table = table;
      options.datum = datum;
      options.threads = threads;
      options.bundled_folder = std::filesystem::path(bundled_folder);
      options.stop = watch.question();
      const JobRun run(handles);
      outcome = hostkit::make_vfp(offered.set(), options);
    } catch (...) {
      failure = std::current_exception();
    }
  }
  // Ctrl-C wins over the build's "interrupted", or anything met meanwhile.
  watch.raise_if_caught();
  if (failure) std::rethrow_exception(failure);

  py::dict result = vfp_values(outcome.build, outcome.units, table);
  result["text"] = to_python_text(outcome.text);
  result["correlation"] = to_python_text(outcome.correlation);
  result["plugin"] = to_python_text(outcome.plugin);
  py::list summary;
  for (const auto& line : outcome.summary) summary.append(to_python_text(line));
  result["summary"] = summary;
  result["completed"] = outcome.completed();
  result["threads"] = outcome.build.threads;
  return result;
}

}  // namespace

void register_well_jobs(py::module_& module) {
  module.def("bundled_plugin_files", &hostkit::bundled_plugin_files);
  module.def(
      "case_plugins",
      [](const std::optional<std::string>& text, const std::string& path) {
        std::vector<std::string> files;
        const auto paths = text ? hostkit::case_plugins(*text, path)
                                : hostkit::case_file_plugins(path);
        for (const auto& file : paths) files.push_back(file.string());
        return files;
      },
      py::arg("text"), py::arg("path"));
  module.def("traverse_case", &traverse_case, py::arg("handles"),
             py::arg("text"), py::arg("path"), py::arg("files"),
             py::arg("correlations"), py::arg("step"));
  module.def("lift_case", &lift_case, py::arg("handles"), py::arg("text"),
             py::arg("path"), py::arg("files"), py::arg("correlations"),
             py::arg("step"));
  module.def("vfp_case", &vfp_case, py::arg("handles"), py::arg("text"),
             py::arg("path"), py::arg("files"), py::arg("correlations"),
             py::arg("step"), py::arg("table"), py::arg("datum"),
             py::arg("threads"), py::arg("bundled_folder"));
}

}  // namespace pipecorr::python
