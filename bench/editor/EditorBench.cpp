// Batch colouring on a 10,000-line script: the tokenizer alone, opening the script in the editor with every
// line coloured and the first screen painted, and one key press in the middle of a 100-line and of a
// 10,000-line script (the same cost: only the touched line is coloured again).
#include "editor/BatchTokenizer.h"
#include "editor/ui/BatchTextEdit.h"

#include <QApplication>
#include <QTextBlock>
#include <QTextCursor>

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int kScriptLines = 10000;
double g_residentAtStart = 0;

// The generated scripts of both engines, repeated to the length.
std::vector<std::string> largeScript(size_t lineCount = kScriptLines)
{
    std::vector<std::string> source;
    for (const char* name : {"goldsource_every_flag.bat", "source_every_flag.bat"}) {
        std::ifstream in(std::string(FERROWIND_SOURCE_DIR "/tests/golden/") + name, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        size_t start = 0;
        for (size_t end = bytes.find("\r\n"); end != std::string::npos; end = bytes.find("\r\n", start)) {
            source.push_back(bytes.substr(start, end - start));
            start = end + 2;
        }
    }
    std::vector<std::string> lines;
    while (!source.empty() && lines.size() < lineCount)
        lines.push_back(source[lines.size() % source.size()]);
    return lines;
}

QString largeScriptText(size_t lineCount = kScriptLines)
{
    QStringList lines;
    for (const std::string& line : largeScript(lineCount))
        lines << QString::fromStdString(line);
    return lines.join('\n');
}

// Resident memory in MB (Linux).
double residentMegabytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return static_cast<double>(resident) * 4096.0 / (1024.0 * 1024.0);
}

void tokenizeScript(benchmark::State& state)
{
    const std::vector<std::string> lines = largeScript();
    std::vector<ferrowind::BatchToken> tokens;
    size_t bytes = 0;
    for (const std::string& line : lines)
        bytes += line.size();
    for (auto _ : state) {
        for (const std::string& line : lines) {
            ferrowind::tokenizeBatchLine(line, tokens);
            benchmark::DoNotOptimize(tokens.data());
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(lines.size()));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes));
}

void openInEditor(benchmark::State& state)
{
    const QString text = largeScriptText();
    ferrowind::BatchTextEdit editor;
    editor.resize(556, 387);
    editor.show();
    for (auto _ : state) {
        editor.setPlainText(text);
        benchmark::DoNotOptimize(editor.viewport()->grab());
    }
    state.counters["resident_MB_over_start"] = residentMegabytes() - g_residentAtStart;
    state.SetItemsProcessed(state.iterations() * kScriptLines);
}

void keyPressInScript(benchmark::State& state)
{
    ferrowind::BatchTextEdit editor;
    editor.setEditable(true);
    editor.resize(556, 387);
    editor.show();
    const auto lineCount = static_cast<int>(state.range(0));
    editor.setPlainText(largeScriptText(lineCount));
    QTextCursor cursor(editor.document()->findBlockByNumber(lineCount / 2));
    editor.setTextCursor(cursor);
    for (auto _ : state) {
        editor.textCursor().insertText("x");
        QCoreApplication::processEvents();
    }
}

} // namespace

BENCHMARK(tokenizeScript)->Unit(benchmark::kMillisecond);
BENCHMARK(openInEditor)->Unit(benchmark::kMillisecond);
BENCHMARK(keyPressInScript)->Arg(100)->Arg(kScriptLines)->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    g_residentAtStart = residentMegabytes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
