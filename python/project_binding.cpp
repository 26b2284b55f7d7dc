// Projects in Python: a project file opened or a new one, its coefficients and specification, and
// the command line's run commands, export and safe save applied to it.
#include "bindings.h"
#include "design_adapter.h"

#include "cli_design_methods.h"
#include "cli_project.h"
#include "cli_run.h"
#include "cli_run_dialogs.h"
#include "design/design_types.h"
#include "design/fir_data.h"
#include "doc/fir_doc.h"
#include "doc/project_templates.h"

#include <pybind11/stl.h>

#include <complex>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace py = pybind11;

namespace {

std::string MethodWords() {
    std::string words;
    for (const SDesignMethod& m : DesignMethods())
        if (*m.commandWord)
            words += std::string(words.empty() ? "" : ", ") + m.commandWord;
    return words;
}

const SDesignMethod& MethodByWord(const std::string& word) {
    const SDesignMethod* method = FindDesignMethodByWord(word);
    if (method == nullptr || word.empty())
        throw py::value_error("unknown design method '" + word + "' (one of " + MethodWords() +
                              ")");
    return *method;
}

// One open project with a host of its own: messages are collected for the caller, questions
// take the answers given, then their default button.
class CPyProject {
public:
    static std::unique_ptr<CPyProject> Open(const std::string& path) {
        std::unique_ptr<CPyProject> project(new CPyProject);
        const bool opened = WithCore([&] {
            project->m_doc = std::make_unique<CFirDoc>(project->m_host);
            return project->m_doc->OnOpenDocument(path);
        });
        if (!opened)
            throw std::runtime_error(project->TakeMessages());
        project->m_path = path;
        project->TakeMessages();
        return project;
    }

    static std::unique_ptr<CPyProject> New(const std::string& word) {
        const SDesignMethod& method = MethodByWord(word);
        std::unique_ptr<CPyProject> project(new CPyProject);
        WithCore([&] {
            project->m_doc = std::make_unique<CFirDoc>(project->m_host);
            CFirDoc& doc = *project->m_doc;
            doc.Filter().SetDesignType(method.type);
            project->TakeNewTitle();
            doc.OnNewDocument();
            doc.CheckPoint();
            return 0;
        });
        project->TakeMessages();
        return project;
    }

    ~CPyProject() {
        // Called with the interpreter lock held; a core call of another thread does not need it.
        const std::lock_guard<std::mutex> lock(CoreMutex());
        m_doc.reset();
    }
    CPyProject(const CPyProject&) = delete;
    CPyProject& operator=(const CPyProject&) = delete;

    // Runs commands of corvifir-cli run, in order, all parsed before any runs; raises for a
    // command that cannot be read (ValueError), that failed (RuntimeError) or was cancelled.
    void Run(const std::vector<std::string>& texts, const std::vector<std::string>& answers) {
        std::vector<SRunStep> steps;
        std::string error;
        if (!ParseRunSteps(texts, steps, error))
            throw py::value_error(error);
        RunParsed(steps, answers);
    }

    // One command given as words (a file name with spaces or quotes needs no quoting).
    void RunWords(const std::string& name, const std::vector<std::string>& words) {
        std::string error;
        FRunCommand run = ParseRunCommand(name, words, error);
        if (!run)
            throw py::value_error(name + ": " + error);
        std::string text = name;
        for (const std::string& w : words)
            text += " " + w;
        RunParsed({{text, std::move(run)}}, {});
    }

    void Save(const std::optional<std::string>& path) {
        const std::string target = path.value_or(m_path);
        if (target.empty())
            throw py::value_error("the project has no file yet: save(path) names one");
        const bool saved = WithCore([&] { return m_doc->OnSaveDocument(target); });
        if (!saved)
            throw std::runtime_error(TakeMessages());
        m_path = target;
        TakeMessages();
    }

    py::array Coefficients() const {
        std::vector<double> i, q;
        const bool real = WithCore([&] {
            const CFirData& f = m_doc->Filter();
            for (int k = 0; k < f.GetN(); ++k) {
                i.push_back(f.m_pI->GetAt(k));
                q.push_back(f.m_pQ->GetAt(k));
            }
            return f.IsReal();
        });
        if (real)
            return ToArray(i);
        py::array_t<std::complex<double>> out(static_cast<py::ssize_t>(i.size()));
        for (size_t k = 0; k < i.size(); ++k)
            out.mutable_data()[k] = {i[k], q[k]};
        return out;
    }

    double Fs() const {
        return WithCore([&] { return m_doc->Filter().m_Fs.GetHz(); });
    }

    py::dict Specification() const {
        const std::string json = WithCore([&] {
            std::ostringstream os;
            WriteProjectJson(*m_doc, os, {});
            return os.str();
        });
        py::dict spec = py::module_::import("json").attr("loads")(json);
        spec.attr("pop")("coefficients");
        return spec;
    }

    std::string Summary() const {
        return WithCore([&] {
            std::ostringstream os;
            WriteProjectText(*m_doc, os);
            return os.str();
        });
    }

    int EstimateTaps() {
        int taps = -1;
        WithCore([&] {
            CFirData& f = m_doc->Filter();
            if (f.CanEstimateNumTaps(true))
                taps = f.EstimateNumTaps();
            return 0;
        });
        if (taps < 0)
            throw py::value_error(TakeMessages());
        return taps;
    }

    std::optional<std::string> Path() const {
        return m_path.empty() ? std::nullopt : std::optional<std::string>(m_path);
    }
    bool Modified() const {
        return WithCore([&] { return m_doc->IsModified(); });
    }
    int UndoDepth() const {
        return WithCore([&] { return m_doc->UndoDepth(); });
    }
    int RedoDepth() const {
        return WithCore([&] { return m_doc->RedoDepth(); });
    }
    const std::string& Messages() const { return m_messages; }

    // A project read from a temporary file: it has no file of its own, and its messages are
    // those of the command that made it.
    void Adopt(const std::string& messages) {
        m_path.clear();
        m_messages = messages;
        WithCore([&] {
            TakeNewTitle();
            return 0;
        });
    }

private:
    void RunParsed(const std::vector<SRunStep>& steps, const std::vector<std::string>& answers) {
        for (const std::string& a : answers) {
            if (a != "yes" && a != "no" && a != "cancel")
                throw py::value_error("an answer is 'yes', 'no' or 'cancel'");
            m_host.QueueAnswer(a == "yes"  ? EAnswer::Yes
                               : a == "no" ? EAnswer::No
                                           : EAnswer::Cancel);
        }
        m_host.ClearInterrupted();
        CRunDialogs dialogs;
        CRunContext ctx{*m_doc, m_host, dialogs, {}, {m_path}};
        const SRunOutcome outcome = WithCore([&] { return RunSteps(ctx, steps, m_log); });
        const std::string messages = TakeMessages();
        if (outcome.end == SRunOutcome::Cancelled) {
            PyErr_SetNone(PyExc_KeyboardInterrupt);
            throw py::error_already_set();
        }
        if (outcome.end == SRunOutcome::Failed)
            throw std::runtime_error(messages + (messages.empty() ? "" : "\n") +
                                     ShownCommand(steps[outcome.failed].text) + " failed.");
    }

    CPyProject() = default;

    // The title of a new project of the filter's method ("SimplePm1", ...).
    void TakeNewTitle() {
        if (const CProjectTemplate* t = TemplateOfType(m_doc->Filter().m_nDesignType))
            m_doc->m_strTitle = std::string(t->docName) + "1";
    }

    // The messages shown since the last call, kept as the project's latest messages.
    std::string TakeMessages() {
        m_messages = m_log.str();
        while (!m_messages.empty() && m_messages.back() == '\n')
            m_messages.pop_back();
        m_log.str({});
        return m_messages;
    }

    std::ostringstream m_log;
    CRunHost m_host{m_log};
    std::unique_ptr<CFirDoc> m_doc; // made and destroyed under the core's lock
    std::string m_path;
    std::string m_messages;
};

// A temporary project file for a design the command line saves, removed with its folder.
class CTempProject {
public:
    CTempProject() {
        std::string pattern = (std::filesystem::temp_directory_path() / "corvifir-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot make a temporary folder");
        m_dir = pattern;
    }
    ~CTempProject() {
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    CTempProject(const CTempProject&) = delete;
    CTempProject& operator=(const CTempProject&) = delete;
    std::string File() const { return (m_dir / "design.cfp").string(); }

private:
    std::filesystem::path m_dir;
};

// corvifir-cli design METHOD with the options, its result read back as a new project.
std::unique_ptr<CPyProject> Design(const std::string& method, const py::kwargs& options) {
    for (const char* reserved : {"output", "project", "o", "p"})
        if (options.contains(reserved))
            throw py::value_error(std::string("design() returns the project: '") + reserved +
                                  "' is not an option here (use save() or export())");
    const CTempProject temp;
    std::vector<std::string> args = {"design", method};
    for (std::string& word : OptionWords(options))
        args.push_back(std::move(word));
    args.push_back("--project");
    args.push_back(temp.File());
    const SCliOutcome outcome = RunCliCommand(args);
    RaiseForOutcome(outcome);
    auto project = CPyProject::Open(temp.File());
    project->Adopt(outcome.err);
    return project;
}

} // namespace

void BindDesigns(py::module_& m) {
    m.def(
        "design_methods",
        [] {
            std::vector<std::string> words;
            for (const SDesignMethod& method : DesignMethods())
                if (*method.commandWord)
                    words.emplace_back(method.commandWord);
            return words;
        },
        "design_methods() -> list[str]\n\nThe design methods design() accepts, as the command "
        "line names them.");
    static const std::string designDoc =
        (std::string("design(method, /, **options) -> Project\n\n"
                     "Designs a filter as `corvifir-cli design METHOD --option value ...` does and "
                     "returns it as a new project (no file yet; its messages hold the design's "
                     "summary). Each keyword is an option of the command line: fs=48000 is "
                     "--fs 48000, edge1=..., max_db_error=0.1 is --max-db-error 0.1, odd=True "
                     "the flag --odd, band=[(0, 0.2, 1, 0.5), (0.25, 0.5, 0, 60)] the option "
                     "--band once per band. A refused specification raises ValueError with the "
                     "program's message, a failed design RuntimeError; Ctrl+C cancels a long "
                     "design (KeyboardInterrupt). A design that misses its specification is "
                     "returned (its margin is below 0).\n\nThe command line's options:\n\n") +
         DesignCommandUsage());
    m.def("design", &Design, py::arg("method"), py::pos_only(), designDoc.c_str());
    m.def(
        "estimate_taps",
        [](const std::string& method, const py::kwargs& options) {
            return Design(method, options)->EstimateTaps();
        },
        py::arg("method"), py::pos_only(),
        "estimate_taps(method, /, **options) -> int\n\n"
        "The tap count the method estimates for the specification (options as for design(), "
        "which it runs to store the specification).");
    m.def(
        "optimize",
        [](const std::string& method, py::kwargs options) {
            options["optimize"] = true;
            return Design(method, options);
        },
        py::arg("method"), py::pos_only(),
        "optimize(method, /, **options) -> Project\n\n"
        "design() with the search for the fewest taps that meet the specification "
        "(Parks-McClellan and Lth-band methods).");
    m.def(
        "quantize",
        [](const std::string& method, int bits, const std::string& algorithm, py::kwargs options) {
            options["quantize"] = bits;
            options["algorithm"] = algorithm;
            return Design(method, options);
        },
        py::arg("method"), py::arg("bits"), py::pos_only(), py::arg("algorithm") = "round-multiple",
        "quantize(method, bits, /, algorithm='round-multiple', **options) -> Project\n\n"
        "design() with the coefficients quantized to bits-bit fractions by the algorithm "
        "'round-multiple', 'round', 'symmetric-search' or 'asymmetric-search'.");
    m.def(
        "min_phase",
        [](const std::string& method, std::optional<double> maxDbError, py::kwargs options) {
            options["min_phase"] = true;
            if (maxDbError)
                options["max_db_error"] = *maxDbError;
            return Design(method, options);
        },
        py::arg("method"), py::pos_only(), py::arg("max_db_error") = py::none(),
        "min_phase(method, /, max_db_error=None, **options) -> Project\n\n"
        "design() converted to minimum phase; the conversion is accepted when its magnitude "
        "differs by at most max_db_error dB (default 0.05).");
}

void BindProject(py::module_& m) {
    static const std::string runDoc =
        std::string(
            "run(*commands, answers=[])\n\nApplies commands of corvifir-cli run in order, as "
            "the project's menu does (\"window inphase --type hamming\", \"quantize complex "
            "--bits 12\", \"min-phase\", \"design\", ...). Every command is read before any "
            "runs (ValueError for one that cannot be); a command that reports an error raises "
            "RuntimeError with the program's messages and the commands after it are not run; "
            "Ctrl+C cancels a long one. Questions take the answers ('yes', 'no', 'cancel') in "
            "order, then their default button.\n\nThe commands:\n\n") +
        RunCommandsUsage();
    py::class_<CPyProject>(m, "Project",
                           "A filter design project (.cfp): its coefficients, specification and "
                           "the commands of its FIR menu, as corvifir-cli run applies them.")
        .def_static("open", &CPyProject::Open, py::arg("path"),
                    "Project.open(path) -> Project\n\nReads a project file; RuntimeError with "
                    "the program's message when it cannot.")
        .def_static("new", &CPyProject::New, py::arg("method"),
                    "Project.new(method) -> Project\n\nA new, empty project of a design method "
                    "(see design_methods()).")
        .def_property_readonly("coefficients", &CPyProject::Coefficients,
                               "The taps: float64 for a real filter, complex128 (I + jQ) for a "
                               "complex one.")
        .def_property_readonly("fs", &CPyProject::Fs, "The sampling frequency in Hz.")
        .def_property_readonly("specification", &CPyProject::Specification,
                               "The project as show --json gives it, without the coefficients: "
                               "method, fs and fsUnit, taps, summary, margin and the bands.")
        .def_property_readonly("path", &CPyProject::Path,
                               "The project's file, or None before the first save.")
        .def_property_readonly("modified", &CPyProject::Modified,
                               "Whether the project changed since it was read or saved.")
        .def_property_readonly("undo_depth", &CPyProject::UndoDepth, "Changes undo() can undo.")
        .def_property_readonly("redo_depth", &CPyProject::RedoDepth, "Changes redo() can redo.")
        .def_property_readonly("messages", &CPyProject::Messages,
                               "The messages the last operation showed (warnings, notices, "
                               "questions and their answers; a design's summary).")
        .def(
            "run",
            [](CPyProject& p, const py::args& commands, const std::vector<std::string>& answers) {
                p.Run(commands.cast<std::vector<std::string>>(), answers);
            },
            py::arg("answers") = std::vector<std::string>(), runDoc.c_str())

        .def(
            "design", [](CPyProject& p) { p.Run({"design"}, {}); },
            "Designs the project's specification again (run('design')).")
        .def(
            "optimize", [](CPyProject& p) { p.Run({"optimize"}, {}); },
            "The search for the fewest taps (run('optimize')).")
        .def(
            "undo", [](CPyProject& p) { p.Run({"undo"}, {}); }, "Undoes the last change.")
        .def(
            "redo", [](CPyProject& p) { p.Run({"redo"}, {}); }, "Redoes the last undone change.")
        .def("estimate_taps", &CPyProject::EstimateTaps,
             "The tap count the method estimates for the project's specification.")
        .def(
            "export",
            [](CPyProject& p, const std::string& path, const std::string& format,
               const py::kwargs& options) {
                std::vector<std::string> words = {path, "--format", format};
                for (std::string& w : OptionWords(options))
                    words.push_back(std::move(w));
                p.RunWords("export", words);
            },
            py::arg("path"), py::arg("format"),
            "export(path, format, **options)\n\nWrites the coefficients as a data file of the "
            "format (\"Text:Decimal\", \"Text:Hex\", \"Text:C\", \"HTML:Report\", ...) as "
            "run's export command does; options are its options (bits=16, complex=True, "
            "quadrature_file=..., quadrature_format=...).")
        .def("save", &CPyProject::Save, py::arg("path") = py::none(),
             "save(path=None)\n\nThe program's safe save (through a temporary file) to path, or "
             "to the project's own file.")
        .def("summary", &CPyProject::Summary,
             "summary() -> str\n\nWhat corvifir-cli show prints: the project's title, method, "
             "Fs, taps, the design summary, the margin and each band's result.")
        .def("__repr__", [](CPyProject& p) {
            const py::dict spec = p.Specification();
            return "<corvifir.Project " + py::str(spec["method"]).cast<std::string>() + ", " +
                   std::to_string(p.Coefficients().size()) + " taps>";
        });
}
