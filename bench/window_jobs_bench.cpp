// The main window's long jobs against the same library loops that the command-line tool
// runs, on a generated corpus of 20,000 infos, in one run: each job once through the
// window's real path (its background job, wait dialog and list models, offscreen) and
// once as the bare loop, three times each in turn. Prints, per job, the median times,
// their ratio (the spoken search's window side includes its wait for the index, built
// anew each time) and the longest gap that a 5 ms timer on the user-interface thread saw
// while the window ran the job (the window's stall).
// Usage: window_jobs_bench [INFOS [JOB]]; VASK_BENCH_INDEX_BUILT set: the spoken search
// runs on the index as it is, without building it anew.
#include "Corpus.h"
#include "library/CheckReport.h"
#include "library/InfoManager.h"
#include "library/Jobs.h"
#include "library/ReferenceIndex.h"
#include "library/SpokenSearch.h"
#include "ui/dialogs/MessageForm.h"
#include "ui/mainwindow/MainForm.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

using namespace VaskEdit;
namespace fs = std::filesystem;

namespace {
// Watches the user-interface thread: the longest gap between two ticks of a 5 ms timer,
// and the moment a message first showed (a job's end message, which it also accepts).
class UiWatch {
public:
    UiWatch() {
        timer.setInterval(5);
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, [this] { Tick(); });
    }
    void Start() {
        longestGap = 0;
        messageAt = -1;
        clock.start();
        last = 0;
        timer.start();
    }
    void Stop() { timer.stop(); }
    qint64 LongestGap() const { return longestGap; }
    qint64 MessageAt() const { return messageAt; }
    qint64 Elapsed() const { return clock.elapsed(); }

private:
    void Tick() {
        const qint64 now = clock.elapsed();
        longestGap = std::max(longestGap, now - last);
        last = now;
        if (auto* message = qobject_cast<MessageForm*>(QApplication::activeModalWidget())) {
            if (messageAt < 0)
                messageAt = now;
            message->accept();
        }
    }

    QTimer timer;
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longestGap = 0;
    qint64 messageAt = -1;
};

struct Job {
    const char* name;
    std::function<void()> prepare; // before every run, not timed
    std::function<void()> loop;    // the library loop, as the command-line tool runs it
    std::function<void(MainForm&)> window;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Seconds(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void EmptyInfos() {
    fs::remove_all("Infos");
    fs::create_directories("Infos");
}
} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const int infos = argc > 1 ? std::atoi(argv[1]) : 20000;
    // In memory where the system offers it: the split writes 20,000 files, and the disk's
    // write-back would otherwise decide its times more than either side does.
    std::error_code error;
    const fs::path memory = "/dev/shm";
    const fs::path root = (fs::is_directory(memory, error) ? memory : fs::temp_directory_path()) /
                          "vaskedit-window-bench";
    VaskDemo::CorpusSize size;
    size.infos = infos;
    const auto bytes = VaskDemo::WriteFreshCorpus(
        root.string(), (fs::path(VASK_SOURCE_ROOT) / "Resources").string(), size);
    fs::copy_file(fs::path(VASK_SOURCE_ROOT) / "demo" / "Settings.ini", root / "Settings.ini");
    fs::current_path(root);
    std::printf("Corpus: %d infos (%.1f MB)\n", infos, bytes / 1e6);
    std::system("cat Infos/*.vaskinfo > /dev/null"); // both sides read from memory

    InfoManager::Shutdown(); // the generator loaded the templates; the window loads them anew
    MainForm window;
    window.show();
    const std::string text = "GEN_1999_3";
    const std::vector<Job> jobs = {
        {"cache-update",
         {},
         [] { Jobs::UpdateCache({}, {}); },
         [](MainForm& w) { w.UpdateInfoCache(); }},
        {"search",
         {},
         [&] { Jobs::Search(text.c_str(), {}, {}); },
         [&](MainForm& w) {
             w.SearchBox()->setText(QString::fromStdString(text));
             w.Search();
         }},
        // The index is built anew before each window run: the search waits for it, as
        // it does when the user searches while the index is still being built.
        {"spoken-search",
         [] {
             if (!References().IsBuilt())
                 References().Build({}, {});
         },
         [] {
             std::vector<SpokenLine> found;
             FindSpokenLines(References().Outlines(), "twice", found, {}, {});
         },
         [](MainForm& w) {
             w.SearchType()->setCurrentText("Spoken text");
             w.SearchBox()->setText("twice");
             if (!std::getenv("VASK_BENCH_INDEX_BUILT"))
                 w.BuildReferences();
             w.Search();
         }},
        {"check", {}, [] { CheckInfoDirectory({}, {}); }, [](MainForm& w) { w.CheckInfos(); }},
        {"merge", {}, [] { Jobs::Merge({}, {}); }, [](MainForm& w) { w.MergeInfos(); }},
        {"split", EmptyInfos,
         [] {
             Jobs::BeginSplit();
             Jobs::Split({}, {});
         },
         [](MainForm& w) { w.SplitHdrdoc(); }},
    };

    UiWatch watch;
    const std::string only = argc > 2 ? argv[2] : "";
    for (const Job& job : jobs) {
        if (!only.empty() && only != job.name)
            continue;
        std::vector<double> loop;
        std::vector<double> shown;
        qint64 stall = 0;
        std::vector<qint64> stalls;
        for (int round = 0; round < 3; ++round) {
            if (job.prepare)
                job.prepare();
            loop.push_back(Seconds(job.loop));
            if (job.prepare)
                job.prepare();
            watch.Start();
            job.window(window);
            // A job that ends with a message ends when the message shows.
            const qint64 end = watch.MessageAt() >= 0 ? watch.MessageAt() : watch.Elapsed();
            QApplication::processEvents();
            watch.Stop();
            shown.push_back(static_cast<double>(end) / 1e3);
            stall = std::max(stall, watch.LongestGap());
            stalls.push_back(watch.LongestGap());
            for (QWidget* top : QApplication::topLevelWidgets()) {
                if (top != &window && top->isVisible())
                    top->close(); // the check report's window
            }
        }
        const double l = Median(loop);
        const double w = Median(shown);
        std::printf("%s window/loop ratio %.2f max-ui-stall-ms %lld (window %.3f s, loop %.3f s)\n",
                    job.name, w / l, static_cast<long long>(stall), w, l);
        if (std::getenv("VASK_BENCH_VERBOSE")) {
            for (int round = 0; round < 3; ++round)
                std::printf("  round %d: loop %.3f s, window %.3f s, ui stall %lld ms\n", round + 1,
                            loop[round], shown[round], static_cast<long long>(stalls[round]));
        }
        std::fflush(stdout);
    }
    window.close();
    fs::current_path(fs::temp_directory_path());
    fs::remove_all(root);
    return 0;
}
