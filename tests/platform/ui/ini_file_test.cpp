#include "platform/ui/exceptions.h"
#include "platform/ui/ini_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(IniFile, WritesTypedValuesAndRaisesWhenItCannot)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    TIniFile ini(dir.filePath("ztarn.ini"));
    ini.WriteBool("D3DRMDevice", "Dither", false);
    ini.WriteInteger("D3DRMDevice", "Quality", 137);
    ini.WriteString("LefPort", "Field", "6");
    QFile file(ini.FileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "[D3DRMDevice]\nDither=0\nQuality=137\n[LefPort]\nField=6\n");

    const QString missing = dir.filePath("no/such/folder/ztarn.ini");
    try {
        TIniFile(missing).WriteInteger("D3DRMDevice", "Shades", 32);
        FAIL() << "no exception";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(e.Message(), "Unable to write to " + missing);
    }
}

}  // namespace
