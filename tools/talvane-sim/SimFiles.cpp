// The program file is a copy of talvane-sim itself, so the folder holds a Talvane that can be run.
#include "SimFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "base/TextFile.h"

std::string ProfileFileText(const QStringList& machines)
{
    std::string text;
    for (const QString& machine : machines) {
        const qsizetype equals = machine.indexOf(u'=');
        if (equals < 0)
            return {};
        text += "[MC" + machine.left(equals).toStdString() + "]\r\n";
        text += "MCNAME=" + machine.mid(equals + 1).toLocal8Bit().toStdString() + "\r\n";
    }
    return text;
}

QString InstallInto(const QString& folder, const QStringList& machines)
{
    const std::string profiles = ProfileFileText(machines);
    if (profiles.empty() && !machines.isEmpty())
        return QStringLiteral("a machine is given as NUMBER=NAME");
    const QDir dir(folder);
    const QString program = dir.filePath(QStringLiteral("talvane"));
    QFile::remove(program);
    if (!QFile::copy(QCoreApplication::applicationFilePath(), program))
        return QStringLiteral("cannot write ") + program;
    const QString ini = dir.filePath(QStringLiteral("Orvex.ini"));
    if (!WriteTextFile(QFile::encodeName(ini).toStdString(), profiles, false))
        return QStringLiteral("cannot write ") + ini;
    return {};
}
