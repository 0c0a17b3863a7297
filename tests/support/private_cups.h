#pragma once
// A CUPS scheduler of the test's own: its configuration, spool, cache, logs
// and socket under a temporary folder, reached through CUPS_SERVER, so that
// nothing of the machine's own CUPS is touched. It needs root (cupsd hands
// jobs to the cups-pdf backend as root) and the Debian packages cups,
// cups-client and printer-driver-cups-pdf; Missing() says what is lacking.
#include <cups/cups.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "support/temp_folder.h"

namespace velm {

// CUPS_SERVER as it was before a service of a test's own named it: unset when it was.
inline void PutBackCupsServer(const std::string& before) {
    before.empty() ? unsetenv("CUPS_SERVER") : setenv("CUPS_SERVER", before.c_str(), 1);
    cupsSetServer(nullptr);
}

class PrivateCups {
public:
    static constexpr const char* Ppd = "/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd";

    // Starts the scheduler in `folder`, a temporary folder of the test's that it opens to the lp user.
    explicit PrivateCups(const std::string& folder) : root_(folder) {
        namespace fs = std::filesystem;
        // The suite points CUPS_SERVER away from the machine's print service; it goes back when this one ends.
        if (const char* server = getenv("CUPS_SERVER")) before_ = server;
        if (geteuid() != 0) {
            missing_ = "a private CUPS scheduler needs root (cups-pdf prints as root)";
        } else if (!fs::exists("/usr/sbin/cupsd") || !fs::exists("/usr/sbin/lpadmin")) {
            missing_ = "cupsd or lpadmin is not installed (Debian cups, cups-client)";
        } else if (!fs::exists("/usr/lib/cups/backend/cups-pdf") || !fs::exists(Ppd)) {
            missing_ = "cups-pdf is not installed (Debian printer-driver-cups-pdf)";
        }
        if (missing_.empty()) Start();
    }
    ~PrivateCups() {
        Stop();
        PutBackCupsServer(before_);
    }
    PrivateCups(const PrivateCups&) = delete;
    PrivateCups& operator=(const PrivateCups&) = delete;

    // Ends the scheduler, as a machine's print service may stop; its queues stay in its folder.
    void Stop() {
        Wake();
        int status = 0;
        for (int i = 0; pid_ > 0 && waitpid(pid_, &status, WNOHANG) == 0; ++i) {
            kill(pid_, i < 50 ? SIGTERM : SIGKILL);  // five seconds to end, then ended
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        pid_ = -1;
    }

    // The scheduler stops answering but keeps its socket, as a hung service does; Wake() lets it go on.
    void Hang() const { if (pid_ > 0) kill(pid_, SIGSTOP); }
    void Wake() const { if (pid_ > 0) kill(pid_, SIGCONT); }

    // Starts the scheduler again after Stop(), with the queues it had.
    void StartAgain() {
        if (missing_.empty() && pid_ <= 0) Start();
    }

    // Empty when the scheduler answers; else one line on why it cannot run here.
    const std::string& Missing() const { return missing_; }

    // Runs a CUPS command line tool against this scheduler; true when it succeeded.
    bool Run(const std::string& command) const { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

    // A cups-pdf queue that accepts and prints jobs, the scheduler's default.
    bool AddQueue(const std::string& queue) const {
        return Run("lpadmin -p " + queue + " -v cups-pdf:/ -P " + Ppd + " -E") && Run("lpadmin -d " + queue);
    }

    // Waits at most `seconds` until `queue` has no job left to print; false when time ran out.
    static bool Idle(const std::string& queue, int seconds) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (std::chrono::steady_clock::now() < end) {
            cups_job_t* jobs = nullptr;
            const int active = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.c_str(), 0, CUPS_WHICHJOBS_ACTIVE);
            cupsFreeJobs(active, jobs);
            if (active == 0) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }

    // The scheduler's error log, to show why a job did not print.
    std::string Log() const { return TempFolder::ReadPath(root_ + "/log/error_log"); }

    struct Job {
        int id = 0;
        std::string title;
    };
    // The last job `queue` completed; id 0 when none.
    static Job LastCompleted(const std::string& queue) {
        cups_job_t* jobs = nullptr;
        const int n = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.c_str(), 0, CUPS_WHICHJOBS_COMPLETED);
        const cups_job_t* last = std::max_element(jobs, jobs + n, [](auto& a, auto& b) { return a.id < b.id; });
        Job job;
        if (n > 0) job = {last->id, last->title != nullptr ? last->title : ""};
        cupsFreeJobs(n, jobs);
        return job;
    }

    // The PDF file cups-pdf wrote for job `id`, in the folders its own
    // configuration names (the printing user's Out and AnonDirName); its
    // names end in "job_<id>.pdf". Empty when there is none.
    static std::string OutputFileOf(int id) {
        const std::string ending = "job_" + std::to_string(id) + ".pdf";
        std::error_code ec;
        for (const std::string& folder : OutputFolders())
            for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
                const std::string name = entry.path().filename().string();
                if (name.size() >= ending.size() && name.compare(name.size() - ending.size(), ending.size(), ending) == 0)
                    return entry.path().string();
            }
        return {};
    }

private:
    static std::vector<std::string> OutputFolders() {
        const passwd* user = getpwuid(geteuid());
        const std::string home = user != nullptr ? user->pw_dir : "/root";
        const std::string name = user != nullptr ? user->pw_name : "root";
        std::string out = "/var/spool/cups-pdf/${USER}", anonymous = "/var/spool/cups-pdf/ANONYMOUS";
        std::ifstream conf("/etc/cups/cups-pdf.conf");
        for (std::string line; std::getline(conf, line);) {
            std::istringstream words(line);
            std::string key, value;
            words >> key >> value;
            if (key == "Out") out = value;
            if (key == "AnonDirName") anonymous = value;
        }
        for (const auto& [word, by] : {std::pair<std::string, std::string>{"${HOME}", home}, {"${USER}", name}})
            for (auto at = out.find(word); at != std::string::npos; at = out.find(word)) out.replace(at, word.size(), by);
        return {out, anonymous};
    }

    void Start() {
        const std::string conf = root_ + "/conf", socket = root_ + "/cups.sock";
        for (const char* sub : {"/conf", "/spool", "/cache", "/state", "/log", "/tmp"})
            std::filesystem::create_directories(root_ + sub);
        // The scheduler's filters run as lp: they must reach the folder and write its tmp.
        chmod(root_.c_str(), 0755);
        const group* lp = getgrnam("lp");
        if (lp != nullptr && chown((root_ + "/tmp").c_str(), 0, lp->gr_gid) == 0) chmod((root_ + "/tmp").c_str(), 01770);
        std::ofstream(conf + "/cups-files.conf")
            << "ServerRoot " << conf << "\nRequestRoot " << root_ << "/spool\nCacheDir " << root_
            << "/cache\nStateDir " << root_ << "/state\nTempDir " << root_ << "/tmp\nAccessLog " << root_
            << "/log/access_log\nErrorLog " << root_ << "/log/error_log\nPageLog " << root_
            << "/log/page_log\nPrintcap " << root_ << "/printcap\nUser lp\nGroup lp\nSystemGroup root\n";
        std::ofstream(conf + "/cupsd.conf")
            << "LogLevel info\nListen " << socket << "\nBrowsing No\nWebInterface No\nDefaultAuthType None\n"
            << "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
            << "<Policy default>\n  <Limit All>\n    Order deny,allow\n  </Limit>\n</Policy>\n";
        // Job numbers of their own, so that files cups-pdf writes into the
        // shared output folder for other schedulers are never taken for ours.
        static int schedulers = 0;
        std::ofstream(root_ + "/cache/job.cache") << "NextJobId " << 1 + getpid() % 200000 * 10000 + ++schedulers * 100 << "\n";
        pid_ = fork();
        if (pid_ == 0) {
            const std::string log = root_ + "/log/cupsd.out";
            if (freopen(log.c_str(), "w", stdout) == nullptr || freopen(log.c_str(), "a", stderr) == nullptr) _exit(126);
            execl("/usr/sbin/cupsd", "cupsd", "-f", "-c", (conf + "/cupsd.conf").c_str(), "-s",
                  (conf + "/cups-files.conf").c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        setenv("CUPS_SERVER", socket.c_str(), 1);
        cupsSetServer(socket.c_str());
        for (int i = 0; i < 100; ++i) {
            if (std::filesystem::exists(socket) && Run("lpstat -r | grep -q 'is running'")) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        missing_ = "the private CUPS scheduler did not start";
    }

    std::string root_;
    std::string missing_;
    std::string before_;  // CUPS_SERVER before this scheduler
    pid_t pid_ = -1;
};

}  // namespace velm
