#pragma once
#include "reports/recordingcanvas.h"

#include <QFile>
#include <gtest/gtest.h>

namespace minasel::test {

// The whole call list of a form against the reviewed copy in the source tree
// (MINASEL_UPDATE_GOLDEN=1 rewrites it after a deliberate change of the form).
inline void expectGolden(const reports::RecordingCanvas& canvas, const QString& path)
{
    const QString actual = canvas.calls().join(QLatin1Char('\n')) + QLatin1Char('\n');
    QFile f(path);
    if (qEnvironmentVariableIsSet("MINASEL_UPDATE_GOLDEN")) {
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(actual.toUtf8());
        return;
    }
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    const QStringList want = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    const QStringList got = actual.split(QLatin1Char('\n'));
    for (int i = 0; i < std::min(want.size(), got.size()); ++i)
        ASSERT_EQ(want[i].toStdString(), got[i].toStdString()) << "line " << i + 1 << " of " << path.toStdString();
    EXPECT_EQ(want.size(), got.size());
}

} // namespace minasel::test
