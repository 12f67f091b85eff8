// Times whole processes: each program is started again and again, interleaved with the reference
// so that the machine's drift touches all alike, and timed from fork to exit. The programs end
// themselves at the measured point through the firstshown plugin (exit code 42); the wall time
// and the peak resident memory (wait4's ru_maxrss, as /usr/bin/time -v reports it) of each run
// are kept, and the medians printed as rows of the benchmark table, each against the reference.
//
//   bench_startup --header      prints the table's header line
//   bench_startup [--runs N] [--serve FILE] [--port P] --measure TEXT
//                 --time-goal X --memory-goal Y ref=COMMAND name=COMMAND...
//
// --serve answers every HTTP request on 127.0.0.1:P with FILE, for the runs that load a page.

#include "table.h"

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <netinet/in.h>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kReached = 42;
constexpr unsigned kTimeoutSeconds = 60;

struct Subject {
    std::string name;
    std::vector<std::string> command;
    std::vector<double> milliseconds;
    std::vector<double> megabytes;
    int failures = 0;
};

std::vector<std::string> split(const std::string &command)
{
    std::istringstream in(command);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// One run; false when the program did not reach the measured point.
bool runOnce(Subject &subject)
{
    std::vector<char *> argv;
    for (std::string &word : subject.command)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        // A program that never reaches the point is ended by the alarm, which exec keeps. What
        // the programs print would only slow them down here; run one by hand to read it.
        alarm(kTimeoutSeconds);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(argv[0], argv.data());
        std::perror(argv[0]);
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    const auto end = std::chrono::steady_clock::now();
    if (!WIFEXITED(status) || WEXITSTATUS(status) != kReached)
        return false;
    subject.milliseconds.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    subject.megabytes.push_back(usage.ru_maxrss / 1024.0);
    return true;
}

double median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void serve(int listener, const std::string &page)
{
    const std::string answer = "HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=gbk\r\nContent-Length: "
                               + std::to_string(page.size()) + "\r\nConnection: close\r\n\r\n" + page;
    for (;;) {
        const int client = accept(listener, nullptr, nullptr);
        if (client < 0)
            continue;
        char request[4096];
        std::string received;
        while (received.find("\r\n\r\n") == std::string::npos) {
            const ssize_t n = read(client, request, sizeof request);
            if (n <= 0)
                break;
            received.append(request, size_t(n));
        }
        for (size_t sent = 0; sent < answer.size();) {
            const ssize_t n = write(client, answer.data() + sent, answer.size() - sent);
            if (n <= 0)
                break;
            sent += size_t(n);
        }
        close(client);
    }
}

bool startServer(const std::string &file, int port)
{
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", file.c_str());
        return false;
    }
    std::string page((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const int listener = socket(AF_INET, SOCK_STREAM, 0);
    const int yes = 1;
    setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(uint16_t(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(listener, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0 || listen(listener, 16) != 0) {
        std::perror("bench_startup: loopback server");
        return false;
    }
    std::thread(serve, listener, std::move(page)).detach();
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    int runs = 15;
    int port = 8123;
    std::string page;
    std::string measure = "start-up";
    std::string timeGoal = "-";
    std::string memoryGoal = "-";
    std::vector<Subject> subjects;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--header") {
            bench::printHeader();
            return 0;
        }
        if (arg == "--runs" && hasValue)
            runs = std::atoi(argv[++i]);
        else if (arg == "--serve" && hasValue)
            page = argv[++i];
        else if (arg == "--port" && hasValue)
            port = std::atoi(argv[++i]);
        else if (arg == "--measure" && hasValue)
            measure = argv[++i];
        else if (arg == "--time-goal" && hasValue)
            timeGoal = argv[++i];
        else if (arg == "--memory-goal" && hasValue)
            memoryGoal = argv[++i];
        else if (const size_t eq = arg.find('='); eq != std::string::npos && eq > 0)
            subjects.push_back({arg.substr(0, eq), split(arg.substr(eq + 1)), {}, {}, 0});
        else {
            std::fprintf(stderr, "bench_startup: unknown argument %s\n", arg.c_str());
            return 2;
        }
    }
    if (subjects.size() < 2 || runs < 1) {
        std::fprintf(stderr, "usage: bench_startup [--runs N] [--serve FILE] [--port P] --measure TEXT "
                             "[--time-goal X] [--memory-goal Y] ref=COMMAND name=COMMAND...\n");
        return 2;
    }
    if (!page.empty() && !startServer(page, port))
        return 1;

    // One warm-up round fills the page cache for all alike; it is not counted.
    for (Subject &subject : subjects) {
        if (!runOnce(subject)) {
            std::fprintf(stderr, "bench_startup: %s did not reach the measured point; run it by hand to see why\n",
                         subject.name.c_str());
            return 1;
        }
        subject.milliseconds.clear();
        subject.megabytes.clear();
    }
    for (int run = 0; run < runs; ++run) {
        for (Subject &subject : subjects) {
            if (!runOnce(subject))
                ++subject.failures;
        }
    }

    const Subject &reference = subjects.front();
    const double referenceTime = median(reference.milliseconds);
    const double referenceMemory = median(reference.megabytes);
    for (size_t i = 1; i < subjects.size(); ++i) {
        const Subject &subject = subjects[i];
        bench::printRow(measure + ", time", subject.name, median(subject.milliseconds), referenceTime, "ms",
                        timeGoal);
        bench::printRow(measure + ", peak memory", subject.name, median(subject.megabytes), referenceMemory, "MB",
                        memoryGoal);
        if (subject.failures)
            std::printf("  (%s: %d of %d runs did not reach the point and are left out)\n", subject.name.c_str(),
                        subject.failures, runs);
    }
    if (reference.failures)
        std::printf("  (reference: %d of %d runs did not reach the point and are left out)\n", reference.failures, runs);
    return 0;
}
