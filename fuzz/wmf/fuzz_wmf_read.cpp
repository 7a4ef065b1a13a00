// Reads any bytes as a metafile and, when they read, plays them into a 64 × 48 image, once on
// an opaque and once on a transparent canvas (the two paths of raster operations).
#include <QGuiApplication>
#include <QImage>

#include <cstddef>
#include <cstdint>

#include "Metafichier.h"
#include "Rendu_Wmf.h"

namespace {
// Text needs the font database, hence an application object for the whole run.
QGuiApplication& Application() {
    static int argc = 1;
    static char nom[] = "fuzz_wmf_read";
    static char* argv[] = {nom, nullptr};
    static QGuiApplication* application = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    return *application;
}
}  // namespace

// The font configuration library keeps its caches for the life of the process; LeakSanitizer
// would report them on the first input that draws text.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\nleak:libQt6Gui\n";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Application();
    auto lu = kestrane::wmf::Metafichier::Lit(
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!lu)
        return 0;
    kestrane::wmf::Rendu_Wmf::Rend(lu.value(), {64, 48}, Qt::white);
    kestrane::wmf::Rendu_Wmf::Rend(lu.value(), {64, 48}, Qt::transparent);
    return 0;
}
