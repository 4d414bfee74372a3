// Where the desktop program keeps ORV.ini. This test program runs from a folder of
// its own, so that it can put an ORV.ini beside itself without touching others.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "settings_io.h"

using orvane::app::SettingsFilePath;

class SettingsPathTest : public QObject {
  Q_OBJECT
  QTemporaryDir home_;
  QString Beside() const {
    return QDir(QCoreApplication::applicationDirPath()).filePath("ORV.ini");
  }
  // What an installation puts beside the program's folder.
  QString DesktopEntry() const {
    return QDir(QCoreApplication::applicationDirPath())
        .filePath("../share/applications/orvane.desktop");
  }
  void Install() {
    QVERIFY(QDir().mkpath(QFileInfo(DesktopEntry()).path()));
    QFile entry(DesktopEntry());
    QVERIFY(entry.open(QIODevice::WriteOnly));
  }

 private slots:
  void init() {
    QFile::remove(Beside());
    qputenv("HOME", home_.path().toUtf8());
    qunsetenv("XDG_CONFIG_HOME");
  }
  void cleanup() {
    QFile::remove(Beside());
    QFile::remove(DesktopEntry());
  }

  // A copy that is not installed, in a folder it may write: a build tree or a
  // folder on a stick keeps its settings beside itself.
  void writableCopyThatIsNotInstalledIsPortable() {
    QVERIFY(QFileInfo(QCoreApplication::applicationDirPath()).isWritable());
    qputenv("XDG_CONFIG_HOME", home_.filePath("config").toUtf8());
    QCOMPARE(SettingsFilePath(), Beside());
  }

  // The program's folder is writable here, as /usr/bin is for root: for an
  // installed copy that must not put the settings there.
  void installedCopyUsesTheConfigFolderEvenWhereItMayWrite() {
    Install();
    QVERIFY(QFileInfo(QCoreApplication::applicationDirPath()).isWritable());
    const QString config = home_.filePath("config");
    qputenv("XDG_CONFIG_HOME", config.toUtf8());
    QCOMPARE(SettingsFilePath(), config + "/orvane/ORV.ini");
    QVERIFY(QFileInfo(config + "/orvane").isDir());
    QVERIFY(!QFile::exists(Beside()));
  }

  void configFolderWithoutAUsableVariable_data() {
    QTest::addColumn<QByteArray>("variable");
    QTest::newRow("unset") << QByteArray();
    QTest::newRow("empty") << QByteArray("");
    QTest::newRow("relative") << QByteArray("relative/config");
  }
  void configFolderWithoutAUsableVariable() {
    Install();
    QFETCH(QByteArray, variable);
    if (!variable.isNull()) qputenv("XDG_CONFIG_HOME", variable);
    QCOMPARE(SettingsFilePath(), home_.filePath(".config/orvane/ORV.ini"));
    QVERIFY(QFileInfo(home_.filePath(".config/orvane")).isDir());
  }

  void portableCopyKeepsItsOwnFile() {
    Install();  // even an installed copy, once it has its own file there
    QFile file(Beside());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    qputenv("XDG_CONFIG_HOME", home_.filePath("config").toUtf8());
    QCOMPARE(SettingsFilePath(), Beside());
  }
};

QTEST_GUILESS_MAIN(SettingsPathTest)
#include "settings_path_test.moc"
