// SPDX-FileCopyrightText: 2026 Menvori developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs every benchmark and prints one table: each figure the median of
// repeated runs, beside its baseline measured in the same run and its target.
//   bench_run <folder holding the bench programs> [start-up runs]
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Line {
    double atMicros; // since the program was started
    std::string text;
};

// Starts a program and collects its output lines with their arrival times.
std::vector<Line> run(const std::string &program, const std::vector<std::string> &args,
                      const std::vector<std::string> &extraEnv = {})
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        std::exit(1);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);

    std::vector<char *> argv{const_cast<char *>(program.c_str())};
    for (const std::string &a : args)
        argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    std::vector<std::string> envStore;
    for (char **e = environ; *e; ++e)
        envStore.emplace_back(*e);
    for (const std::string &e : extraEnv)
        envStore.push_back(e);
    std::vector<char *> envp;
    for (std::string &e : envStore)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    const auto start = Clock::now();
    pid_t pid = 0;
    if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) {
        std::fprintf(stderr, "bench_run: cannot start %s\n", program.c_str());
        std::exit(1);
    }
    close(pipeFds[1]);
    std::vector<Line> lines;
    std::string pending;
    char buffer[4096];
    ssize_t n;
    while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0) {
        const double at = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
        pending.append(buffer, size_t(n));
        size_t newline;
        while ((newline = pending.find('\n')) != std::string::npos) {
            lines.push_back({at, pending.substr(0, newline)});
            pending.erase(0, newline + 1);
        }
    }
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    posix_spawn_file_actions_destroy(&actions);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "bench_run: %s failed\n", program.c_str());
        std::exit(1);
    }
    return lines;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double valueAfter(const std::vector<Line> &lines, const char *key)
{
    for (const Line &l : lines) {
        if (l.text.rfind(key, 0) == 0)
            return std::atof(l.text.c_str() + std::strlen(key));
    }
    std::fprintf(stderr, "bench_run: no '%s' line\n", key);
    std::exit(1);
}

double arrivalOf(const std::vector<Line> &lines, const char *key)
{
    for (const Line &l : lines) {
        if (l.text == key)
            return l.atMicros;
    }
    std::fprintf(stderr, "bench_run: no '%s' line\n", key);
    std::exit(1);
}

struct Row {
    std::string what;
    std::string value;
    std::string baseline;
    std::string target;
    bool met;
};

std::string fmt(const char *format, double v)
{
    char text[64];
    std::snprintf(text, sizeof text, format, v);
    return text;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_run <bench folder> [start-up runs]\n");
        return 2;
    }
    const std::string dir = argv[1];
    const int runs = argc > 2 ? std::atoi(argv[2]) : 21;
    const std::string menvori = dir + "/bench_menvori", bare = dir + "/bench_bare", drill = dir + "/bench_drill";

    std::vector<double> introOurs, introBare, mainOurs, mainBare;
    run(menvori, {"startup"}); // warm the file cache for both
    run(bare, {"startup"});
    for (int i = 0; i < runs; ++i) {
        const auto ours = run(menvori, {"startup"});
        introOurs.push_back(arrivalOf(ours, "intro") / 1000.0);
        mainOurs.push_back(valueAfter(ours, "main ") / 1000.0);
        const auto floor = run(bare, {"startup"});
        introBare.push_back(arrivalOf(floor, "intro") / 1000.0);
        mainBare.push_back(valueAfter(floor, "main ") / 1000.0);
    }
    std::vector<double> rssOurs, rssBare;
    for (int i = 0; i < 5; ++i) {
        rssOurs.push_back(valueAfter(run(menvori, {"memory"}), "maxrss ") / 1024.0);
        rssBare.push_back(valueAfter(run(bare, {"memory"}), "maxrss ") / 1024.0);
    }
    const auto micro = run(drill, {}, {"QT_QPA_PLATFORM=offscreen"});

    std::vector<Row> rows;
    const double io = median(introOurs), ib = median(introBare), mo = median(mainOurs), mb = median(mainBare);
    rows.push_back({"start-up: process start to intro painted", fmt("%.1f ms", io), fmt("%.1f ms (bare Qt)", ib),
                    fmt("<= %.1f ms (1.10 x bare)", 1.10 * ib), io <= 1.10 * ib});
    rows.push_back({"start-up: Començar to main window painted", fmt("%.1f ms", mo), fmt("%.1f ms (bare Qt)", mb),
                    fmt("<= %.1f ms (1.10 x bare)", 1.10 * mb), mo <= 1.10 * mb});
    for (const char *scale : {"1", "2"}) {
        const double t = valueAfter(micro, (std::string("measure@") + scale + " ").c_str());
        rows.push_back({std::string("new measurement + paint, scale ") + scale, fmt("%.3f ms", t / 1000.0), "-",
                        "< 1 ms", t < 1000.0});
    }
    const double check = valueAfter(micro, "check ");
    rows.push_back({"check with label updates", fmt("%.3f ms", check / 1000.0), "-", "-", true});
    const double p1 = valueAfter(micro, "parse-1MB "), p2 = valueAfter(micro, "parse-2MB "),
                 p4 = valueAfter(micro, "parse-4MB ");
    rows.push_back({"parseNumber, 1 MB paste", fmt("%.2f ms", p1 / 1000.0), "-", "< 20 ms", p1 < 20000.0});
    rows.push_back({"parseNumber, 2 MB / 4 MB (linear?)", fmt("%.2f", p2 / 1000.0) + fmt(" / %.2f ms", p4 / 1000.0),
                    fmt("x%.2f", p2 / p1) + fmt(" / x%.2f of 1 MB", p4 / p1), "x2 / x4",
                    p2 / p1 < 2.6 && p4 / p1 < 5.2});
    const double ro = median(rssOurs), rb = median(rssBare);
    rows.push_back({"peak memory, 1000 drill cycles", fmt("%.1f MB", ro), fmt("%.1f MB (bare Qt)", rb),
                    fmt("<= %.1f MB (bare + 10)", rb + 10.0), ro <= rb + 10.0});

    std::printf("\n%-44s %-22s %-22s %-26s %s\n", "measure (median)", "Menvori", "baseline", "target", "met");
    std::printf("%s\n", std::string(122, '-').c_str());
    bool all = true;
    for (const Row &r : rows) {
        std::printf("%-44s %-22s %-22s %-26s %s\n", r.what.c_str(), r.value.c_str(), r.baseline.c_str(),
                    r.target.c_str(), r.met ? "yes" : "NO");
        all = all && r.met;
    }
    std::printf("\nstart-up: median of %d runs each, alternating; memory: median of 5 runs each\n", runs);
    return all ? 0 : 1;
}
