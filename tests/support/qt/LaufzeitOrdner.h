#pragma once
// Without XDG_RUNTIME_DIR Qt makes its runtime folder "runtime-<user>" in the temp folder and
// leaves it there. Called before the QApplication is made, it gives a run without the
// variable a temporary runtime folder of its own, removed when the process ends.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

inline void EigenerLaufzeitOrdner()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    static QTemporaryDir ordner(QDir::tempPath() + QStringLiteral("/miraval-test-runtime-XXXXXX"));
    if (ordner.isValid())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(ordner.path()));
}
