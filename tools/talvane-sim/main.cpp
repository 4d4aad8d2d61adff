// talvane-sim: a headless stand-in for Talvane that prints the frames it receives and can reply.
#include "SimFiles.h"
#include "base/SignalWatch.h"
#include "mb/InterProc.h"
#include "mb/MbEndpoint.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

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

int Fail(const QString& message, int status)
{
    std::fprintf(stderr, "talvane-sim: %s\n", qPrintable(message));
    return status;
}

const std::map<QString, std::string> kReplies{
    {"ok", "DNC_OK"}, {"busy", "DNC_BUSY"}, {"no_mc", "DNC_NO_MC"}, {"none", ""}};

}  // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription("Headless stand-in for Talvane: prints each frame it receives as sender, "
                                     "value and text, one per line, and answers each load request.");
    parser.addHelpOption();
    const QCommandLineOption versionOption("version", "Run as Talvane VERSION: 4.1, 5.0 (default) or none.", "VERSION",
                                           "5.0");
    const QCommandLineOption replyOption("reply", "Answer each load request with ok, busy, no_mc or none (default).",
                                         "WORD", "none");
    const QCommandLineOption installOption("install", "First write Talvane's program file and Orvex.ini into FOLDER.",
                                           "FOLDER");
    const QCommandLineOption machineOption("machine", "A machine for Orvex.ini, as NUMBER=NAME; repeatable.",
                                           "NUMBER=NAME");
    const QCommandLineOption recordOption("record", "Also append each frame to FILE as value, sender, text.", "FILE");
    parser.addOptions({versionOption, replyOption, installOption, machineOption, recordOption});
    parser.process(app);

    const QString version = parser.value(versionOption);
    if (version != "4.1" && version != "5.0" && version != "none")
        return Fail("the version is 4.1, 5.0 or none", 1);
    const auto replyWord = kReplies.find(parser.value(replyOption));
    if (replyWord == kReplies.end())
        return Fail("the reply is ok, busy, no_mc or none", 1);
    const std::string reply = replyWord->second;
    if (parser.isSet(installOption)) {
        const QString error = InstallInto(parser.value(installOption), parser.values(machineOption));
        if (!error.isEmpty())
            return Fail(error, 1);
    }
    QFile record(parser.value(recordOption));
    if (parser.isSet(recordOption) && !record.open(QIODevice::WriteOnly | QIODevice::Append))
        return Fail("cannot open the record file", 1);
    // SIGTERM and SIGINT end the event loop, so the endpoints are closed and their files removed.
    const SignalWatch stop({SIGTERM, SIGINT}, [] { QCoreApplication::quit(); });
    if (!stop.Watching())
        return Fail("cannot handle signals", 1);

    // The message endpoint first: replies go out under its name. The window title is how the
    // editor tells that Talvane runs and in which version.
    std::vector<std::unique_ptr<InterProc>> endpoints;
    std::vector<std::string> names{"talvane"};
    if (version != "none")
        names.push_back("Talvane " + version.toStdString());
    for (const std::string& name : names) {
        auto endpoint = std::make_unique<InterProc>();
        if (!endpoint->Listen(name))
            return Fail(QStringLiteral("cannot listen as \"%1\"").arg(QString::fromStdString(name)), 2);
        endpoints.push_back(std::move(endpoint));
    }

    InterProc& talvane = *endpoints.front();
    // A frame that claims to come from one of these endpoints is not answered: the answer would
    // come back here and be answered again, for ever.
    const auto isOwnName = [&endpoints](const std::string& sender) {
        const std::string name = mb::LowerName(sender);
        return std::any_of(endpoints.begin(), endpoints.end(),
                           [&name](const auto& endpoint) { return endpoint->EndpointName() == name; });
    };
    for (const auto& endpoint : endpoints) {
        QObject::connect(endpoint.get(), &InterProc::MessageReceived, &app,
                         [&](int value, const std::string& sender, int, const std::string& text) {
                             const std::string shown =
                                 Escape(sender) + '\t' + std::to_string(value) + '\t' + Escape(text) + '\n';
                             std::fputs(shown.c_str(), stdout);
                             std::fflush(stdout);
                             if (record.isOpen()) {
                                 const std::string line =
                                     std::to_string(value) + '\t' + Escape(sender) + '\t' + Escape(text) + '\n';
                                 record.write(line.data(), static_cast<qint64>(line.size()));
                                 record.flush();
                             }
                             if (!reply.empty() && text != "EDIT_FAILED" && !isOwnName(sender)) {
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
