// talvane-sim: a headless stand-in for Talvane that records the frames it receives and can reply.
#include "dnc/InterProc.h"
#include "dnc/MbEndpoint.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QSocketNotifier>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <memory>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

int signalPipe[2] = {-1, -1};

void OnStopSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(signalPipe[1], &byte, 1);
}

// Every byte visible and unambiguous: printable ASCII as is, backslash and the rest as \xNN.
std::string Escape(const std::string& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
            out.push_back(c);
        } else {
            out += "\\x";
            out.push_back(digits[byte >> 4]);
            out.push_back(digits[byte & 0x0F]);
        }
    }
    return out;
}

// SIGTERM and SIGINT end the event loop, so the endpoints are closed and their files removed.
bool InstallStopSignals(QCoreApplication& app)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, signalPipe) != 0)
        return false;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, &QCoreApplication::quit);
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return ::sigaction(SIGTERM, &action, nullptr) == 0 && ::sigaction(SIGINT, &action, nullptr) == 0;
}

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("Headless stand-in for Talvane's message endpoints.");
    parser.addHelpOption();
    const QCommandLineOption titleOption("title", "Also listen as the window title NAME.", "NAME");
    const QCommandLineOption recordOption("record", "Append each received frame to FILE.", "FILE");
    const QCommandLineOption replyOption("reply", "Answer each request with WORD.", "WORD");
    parser.addOptions({titleOption, recordOption, replyOption});
    parser.process(app);

    QFile record(parser.value(recordOption));
    if (parser.isSet(recordOption) && !record.open(QIODevice::WriteOnly | QIODevice::Append)) {
        std::fprintf(stderr, "talvane-sim: cannot open the record file\n");
        return 1;
    }
    if (!InstallStopSignals(app)) {
        std::fprintf(stderr, "talvane-sim: cannot handle signals\n");
        return 1;
    }

    // The message endpoint first: replies go out under its name.
    std::vector<std::unique_ptr<InterProc>> endpoints;
    std::vector<std::string> names{"talvane"};
    for (const QString& title : parser.values(titleOption))
        names.push_back(title.toStdString());
    for (const std::string& name : names) {
        auto endpoint = std::make_unique<InterProc>();
        if (!endpoint->Listen(name)) {
            std::fprintf(stderr, "talvane-sim: cannot listen as \"%s\"\n", name.c_str());
            return 2;
        }
        endpoints.push_back(std::move(endpoint));
    }

    InterProc& talvane = *endpoints.front();
    const bool replying = parser.isSet(replyOption);
    const std::string reply = parser.value(replyOption).toStdString();
    // A frame that claims to come from one of these endpoints is not answered: the
    // answer would come back here and be answered again, for ever.
    const auto isOwnName = [&endpoints](const std::string& sender) {
        const std::string name = mb::LowerName(sender);
        return std::any_of(endpoints.begin(), endpoints.end(),
                           [&name](const auto& endpoint) { return endpoint->EndpointName() == name; });
    };
    for (const auto& endpoint : endpoints) {
        QObject::connect(endpoint.get(), &InterProc::MessageReceived, &app,
                         [&](int value, const std::string& sender, int, const std::string& text) {
                             if (record.isOpen()) {
                                 const std::string line =
                                     std::to_string(value) + '\t' + Escape(sender) + '\t' + Escape(text) + '\n';
                                 record.write(line.data(), static_cast<qint64>(line.size()));
                                 record.flush();
                             }
                             if (replying && text != "EDIT_FAILED" && !isOwnName(sender)) {
                                 talvane.TargetName = sender;
                                 talvane.MessageText = reply;
                                 talvane.MessageValue = 0;
                                 talvane.Send();
                             }
                         });
    }

    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    const int status = app.exec();
    talvane.Flush();
    return status;
}
