#include "analysis/commandline.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "analysis/annotatefile.h"
#include "analysis/epdanalysis.h"
#include "records/commandline.h"
#include "search/searchconst.h"

namespace {

constexpr int EXIT_FILE_FAILED = 1;
// Without --depth or --movetime each position is searched this deep.
constexpr int DEFAULT_ANALYSIS_DEPTH = 10;
constexpr long MAX_MOVETIME_MS = 24L * 3600 * 1000;
constexpr int MAX_JOBS = 1024;

constexpr const char* USAGE_HEAD =
    "Usage: zorvak                            the chess engine (xboard protocol or UCI on standard input)\n"
    "       zorvak annotate IN.pgn OUT.pgn [--depth D | --movetime MS] [--from-ply N] [--jobs J]\n"
    "                                         every game of IN with evaluations, marked mistakes and\n"
    "                                         better lines into OUT\n"
    "       zorvak analyse IN.epd OUT.epd [--depth D | --movetime MS]\n"
    "                                         every position of IN searched, with bm, ce, acd, acn, pv\n";
constexpr const char* USAGE_TAIL =
    "       zorvak --help                     this text\n";
constexpr const char* USAGE_NOTES =
    "Without --depth or --movetime the analyses search each position 10 plies deep.\n"
    "Exit status: 0 done, 1 a file could not be opened, read or written, 2 wrong arguments.\n";

void printUsage(std::FILE* to) {
    std::fputs(USAGE_HEAD, to);
    std::fputs(CONVERTER_USAGE, to);
    std::fputs(USAGE_TAIL, to);
    std::fputs(CONVERTER_USAGE_NOTES, to);
    std::fputs(USAGE_NOTES, to);
}

bool readNumber(const char* text, long low, long high, long& value) {
    char* end = nullptr;
    errno = 0;
    value = std::strtol(text, &end, 10);
    return end != text && *end == '\0' && errno == 0 && value >= low && value <= high;
}

struct AnalysisArguments {
    const char* in = nullptr;
    const char* out = nullptr;
    AnnotateOptions options;
    int jobs = 1;
};

// The options after IN and OUT; false for one that is unknown, has no value or a bad one.
bool readOptions(int argc, const char* const* argv, bool annotating, AnalysisArguments& args) {
    long value = 0;
    for (int i = 4; i < argc; i += 2) {
        const std::string option = argv[i];
        if (i + 1 >= argc) return false;
        const char* text = argv[i + 1];
        if (option == "--depth" && readNumber(text, 1, MAX_SEARCH_DEPTH, value))
            args.options.limits.depth = static_cast<int>(value);
        else if (option == "--movetime" && readNumber(text, 1, MAX_MOVETIME_MS, value))
            args.options.limits.movetimeMs = static_cast<std::uint32_t>(value);
        else if (annotating && option == "--from-ply" && readNumber(text, 1, MAX_SEARCH_DEPTH * 100, value))
            args.options.fromPly = static_cast<int>(value);
        else if (annotating && option == "--jobs" && readNumber(text, 1, MAX_JOBS, value))
            args.jobs = static_cast<int>(value);
        else
            return false;
    }
    if (!args.options.limits.depth && !args.options.limits.movetimeMs) args.options.limits.depth = DEFAULT_ANALYSIS_DEPTH;
    return true;
}

int runAnalysis(int argc, const char* const* argv) {
    const bool annotating = !std::strcmp(argv[1], "annotate");
    AnalysisArguments args;
    if (argc < 4 || !readOptions(argc, argv, annotating, args)) {
        printUsage(stderr);
        return EXIT_USAGE;
    }
    args.in = argv[2];
    args.out = argv[3];
    const bool done = annotating ? annotateFile(args.in, args.out, args.options, args.jobs)
                                 : analyseEpdFile(args.in, args.out, args.options.limits);
    return done ? 0 : EXIT_FILE_FAILED;
}

}  // namespace

int runCommandLine(int argc, const char* const* argv) {
    if (argc == 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
        printUsage(stdout);
        return 0;
    }
    if (argc >= 2 && (!std::strcmp(argv[1], "annotate") || !std::strcmp(argv[1], "analyse")))
        return runAnalysis(argc, argv);
    const int status = runConverterCommandLine(argc, argv);
    if (status == EXIT_USAGE) printUsage(stderr);
    return status;
}
