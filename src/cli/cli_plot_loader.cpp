#include "cli_plot_module.h"
#include "cli_plot_render.h"

#include "plot/plot.h"
#include "support/host.h"

#include <dlfcn.h>

#include <filesystem>
#include <system_error>

namespace {

namespace fs = std::filesystem;

// The module beside the program (a build tree), else in the installed library folder.
fs::path FindModule() {
    std::error_code ec;
    const fs::path dir = fs::read_symlink("/proc/self/exe", ec).parent_path();
    if (ec)
        return CORVIFIR_PICTURES_MODULE;
    const fs::path beside = dir / CORVIFIR_PICTURES_MODULE;
    if (fs::exists(beside, ec))
        return beside;
    return (dir / CORVIFIR_PICTURES_INSTALL_DIR / CORVIFIR_PICTURES_MODULE).lexically_normal();
}

struct SLoadedPictures {
    const SPlotPictureFunctions* functions = nullptr;
    std::string failure; // why the module could not be used
};

// Loaded on first use and kept for the life of the process.
const SLoadedPictures& Pictures() {
    static const SLoadedPictures loaded = [] {
        SLoadedPictures result;
        const fs::path path = FindModule();
        void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!module) {
            const char* reason = dlerror();
            result.failure = "cannot load the picture module (" +
                             std::string(reason ? reason : path.string()) + ")";
            return result;
        }
        using Entry = const SPlotPictureFunctions* (*)();
        const auto entry = reinterpret_cast<Entry>(dlsym(module, kPlotPicturesEntry));
        const SPlotPictureFunctions* functions = entry ? entry() : nullptr;
        if (!functions || functions->version != kPlotPicturesVersion) {
            result.failure =
                "the picture module " + path.string() + " does not belong to this program";
            return result;
        }
        result.functions = functions;
        return result;
    }();
    return loaded;
}

} // namespace

bool HasPlotPictures() {
    return Pictures().functions != nullptr;
}

std::string PlotPicturesUnavailable() {
    return Pictures().failure + "; only plot files (.plt) can be written";
}

std::unique_ptr<CTextMeasurer> MakePlotMeasurer() {
    if (const SPlotPictureFunctions* f = Pictures().functions)
        return f->makeMeasurer();
    return std::make_unique<CEstimatedTextMeasurer>();
}

bool WritePlotPicture(CPlot& plot, int width, int height, const std::string& path,
                      std::string& error) {
    if (const SPlotPictureFunctions* f = Pictures().functions)
        return f->writePlot(plot, width, height, path, error);
    error = Pictures().failure;
    return false;
}

bool WriteReportPictures(const CFirData& filter, const SViewSettings& settings,
                         const std::string& reportPath, CHost& host) {
    if (const SPlotPictureFunctions* f = Pictures().functions)
        return f->writeReport(filter, settings, reportPath, host);
    host.Warning(ReportWithoutPicturesWarning(reportPath, Pictures().failure));
    return true;
}
