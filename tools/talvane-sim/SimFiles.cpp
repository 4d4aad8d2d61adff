// The program file is a copy of talvane-sim itself, so the folder holds a Talvane that can be run.
#include "SimFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include "base/TextFile.h"
#include "profiles/MachineProfiles.h"

std::string ProfileFileText(const QStringList& machines)
{
    std::vector<MachineChoice> choices;
    for (const QString& machine : machines) {
        bool isNumber = false;
        const int number = machine.section(u'=', 0, 0).toShort(&isNumber);
        if (!isNumber || !machine.contains(u'='))
            return {};
        choices.push_back({std::int16_t(number), machine.section(u'=', 1).toLocal8Bit().toStdString()});
    }
    return MachineProfilesText(choices);
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
