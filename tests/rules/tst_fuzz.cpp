// Mutated files fed to the readers of what the keeper keeps (config.cfg, the
// sheet files, the sheets' text reports, CSV files, the note of a restore in
// a safety copy, the daily history as the start checks it): none may crash,
// hang or read more than its format holds, what the program writes reads
// back as it was, and a history the check passes reads the same through its
// index as through its table.
// The mutations are seeded: every run feeds the same inputs.

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <random>

#include <QSqlDatabase>
#include <QSqlQuery>
#include "files.h"

#include "rules/archivecheck.h"
#include "rules/csvexchange.h"
#include "rules/rainreport.h"
#include "rules/reportimport.h"
#include "rules/safetycopy.h"
#include "rules/sheetfile.h"
#include "rules/stationconfig.h"
#include "rules/tempreport.h"
#include "rules/textfile.h"

namespace {

constexpr int kInputs = 3000;     // per reader
constexpr qint64 kHangMs = 2000;  // far beyond what one input may take

// What a reader made of the bytes, flattened to texts; what is wrong with it
// goes to *wrong.
using Reader = std::function<QStringList(const QByteArray&, QStringList* wrong)>;

struct Target {
  QList<QPair<QByteArray, QStringList>> seeds;  // valid files and their readings
  Reader read;
};

class Mutator {
 public:
  explicit Mutator(quint32 seed) : random_(seed) {}
  int below(qsizetype n) { return n > 0 ? int(random_() % quint32(n)) : 0; }

  QByteArray mutate(QByteArray b) {
    static const char kDelimiters[] = {'\r', '\n', '\0', '|'};
    for (int n = 1 + below(4); n > 0; --n) {
      const int at = below(b.size() + 1);
      switch (below(8)) {
        case 0:
          if (at < b.size()) b[at] = char(b[at] ^ (1 << below(8)));
          break;
        case 1:
          b.insert(at, char(below(256)));
          break;
        case 2:
          b.remove(at, 1 + below(16));
          break;
        case 3:
          b.truncate(at);
          break;
        case 4: {  // a line twice
          const qsizetype start = at == 0 ? 0 : b.lastIndexOf('\n', at - 1) + 1;
          const qsizetype end = b.indexOf('\n', at);
          b.insert(start, b.mid(start, end < 0 ? -1 : end + 1 - start));
          break;
        }
        case 5:
        case 6:
          b.insert(at, 1 + below(3),
                   below(2) ? kDelimiters[below(sizeof kDelimiters)] : char(0x80 + below(128)));
          break;
        default:  // now and then a huge line
          if (below(4) == 0) b.insert(at, 1000 + below(300000), char(' ' + below(95)));
      }
    }
    return b;
  }

 private:
  std::mt19937 random_;
};

void expect(QStringList* wrong, bool ok, const char* what) {
  if (!ok) *wrong << QString::fromLatin1(what);
}

bool holdsLineEnd(const QString& s) { return s.contains(u'\r') || s.contains(u'\n'); }

// A report's kind, station, month and year: "T|station|3/2026".
QString heading(bool rain, const QString& station, int month, int year) {
  return QString(rain ? "R|" : "T|") + station + u'|' + QString::number(month) + u'/' +
         QString::number(year);
}

}  // namespace

Q_DECLARE_METATYPE(Target)

class tst_fuzz : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;

  // Where a reader of files finds the input: left behind should it crash.
  QString put(const QString& name, const QByteArray& bytes) const {
    const QString path = dir_.filePath(name);
    // A new file each time: ext4 flushes a truncated file when it is closed.
    QFile::remove(path);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
      qFatal("cannot write %s", qPrintable(path));
    return path;
  }

  Target config() const {
    Target t;
    StationConfig forli = StationConfig::initial();
    forli.percorsoAppunti = QStringLiteral("/home/custode/Nubilario");
    StationConfig accents{"Città di Forlì °", "no", StationConfig::kNotStandard, "", "/mnt/r"};
    for (const StationConfig& c : {forli, accents}) {
      const QString path = dir_.filePath(StationConfig::kFileName);
      if (!c.write(path)) qFatal("cannot write %s", qPrintable(path));
      t.seeds.append({bytesOf(path), c.lines() << QStringLiteral("5")});
    }
    t.read = [this](const QByteArray& bytes, QStringList* wrong) {
      const auto r = StationConfig::read(put(StationConfig::kFileName, bytes));
      const QStringList starting = StationConfig().lines();
      QStringList values = r.config.lines();
      expect(wrong, r.found && r.lines >= 0 && r.lines <= 5, "more than five lines");
      for (int i = 0; i < values.size(); ++i) {
        expect(wrong, i < r.lines || values[i] == starting[i], "a value past the file's lines");
        expect(wrong, !holdsLineEnd(values[i]), "a line end in a value");
        expect(wrong, values[i].size() <= StationConfig::kMaxBytes, "more than the file's limit");
      }
      return values << QString::number(r.lines);
    };
    return t;
  }

  // The three sheet files, each read into as many fields as the largest
  // sheet has. No piece of a line holds "|": a field left as it was shows.
  Target sheets() const {
    constexpr int kFields = 63;
    const QString kLeft = QStringLiteral("|");
    QStringList temperatures(kFields), days(32, QStringLiteral("0")),
        months(13, QStringLiteral("0"));
    for (int d = 0; d < 31; d += 3) temperatures[d] = temperatures[d + 31] = QString::number(d - 5);
    temperatures[62] = QStringLiteral("12,5");
    days[4] = QStringLiteral("3,5");
    months[0] = QStringLiteral("1.234,75");
    Target t;
    const QString path = dir_.filePath(QStringLiteral("foglio.txt"));
    for (const QStringList& fields : {temperatures, days, months}) {
      if (!sheetfile::write(path, fields)) qFatal("cannot write %s", qPrintable(path));
      QStringList reading = fields;
      if (reading.size() < kFields) reading << QString();  // after the line's last "|"
      t.seeds.append({bytesOf(path), reading + QStringList(kFields - reading.size(), kLeft)});
    }
    t.read = [this, kLeft](const QByteArray& bytes, QStringList* wrong) {
      QStringList fields(kFields, kLeft);
      sheetfile::read(put(QStringLiteral("foglio.txt"), bytes), fields);
      expect(wrong, fields.size() == kFields, "fields added or lost");
      bool left = false;
      qint64 total = 0;
      for (const QString& f : fields) {
        left = left || f == kLeft;
        if (f == kLeft) continue;
        expect(wrong, !left, "a field read after one left as it was");
        expect(wrong, !holdsLineEnd(f) && !f.contains(u'|'), "a field holding its separator");
        total += f.size();
      }
      expect(wrong, total <= sheetfile::kMaxBytes, "more than the file's limit");
      return fields;
    };
    return t;
  }

  static Target reports() {
    Target t;
    // Day d's minimum and maximum (or precipitation): "d|minimum|maximum".
    auto seed = [&t](bool rain, int month, int year, const QStringList& days) {
      QStringList first(31), second(31);
      QStringList reading{heading(rain, QStringLiteral("Monte Cimone"), month, year)};
      for (const QString& d : days) {
        const QStringList v = d.split(u'|');
        first[v[0].toInt() - 1] = v[1];
        if (!rain) second[v[0].toInt() - 1] = v[2];
        reading << d;
      }
      const QString text =
          rain ? rainreport::dailyReport({"Monte Cimone", month, year, first, {}, {}, {}, {}})
               : tempreport::compose("Monte Cimone", month, year, first, second, {});
      t.seeds.append({textfile::encode(text + "\r\n"), reading});
    };
    seed(false, 3, 2026, {"1|-3|12,5", "2|0|", "15|1.234,5|", "21||1e1", "31|-0,5|8"});
    seed(true, 2, 2024, {"1|3,5", "2|0", "28|12", "29|0,2"});
    t.read = [](const QByteArray& bytes, QStringList* wrong) {
      const auto r = reportimport::read(bytes);
      const bool rain = r.kind == reportimport::Kind::Rain;
      QStringList reading{heading(rain, r.station, r.month, r.year)};
      if (!r.readable) {
        expect(wrong, r.days.isEmpty() && r.refused.size() == 1, "refused whole, days kept");
        return reading << r.refused.value(0).reason;
      }
      const QDate first(r.year, r.month, 1);
      expect(wrong, first.isValid() && r.year <= 9999, "no month of a four-digit year");
      expect(wrong, r.refused.size() <= 62, "more refusals than values");
      int last = 0;
      for (const auto& d : r.days) {
        expect(wrong, d.day > last && d.day <= first.daysInMonth(), "a day out of the month");
        expect(wrong,
               rain ? !d.rain.isEmpty() && d.minimum.isEmpty() && d.maximum.isEmpty()
                    : d.rain.isEmpty() && !(d.minimum.isEmpty() && d.maximum.isEmpty()),
               "a day without its values");
        last = d.day;
        reading << QString::number(d.day) + u'|' + (rain ? d.rain : d.minimum + u'|' + d.maximum);
      }
      for (const auto& refusal : r.refused)
        expect(wrong, refusal.line > 0 && refusal.line <= bytes.count('\n') + 1,
               "a refusal outside the file");
      return reading;
    };
    return t;
  }

  // The note a safety copy made before a restore holds, as the restore list
  // tells it: one line of text, never more than the note's bound.
  Target restoreNotes() const {
    Target t;
    const QString copy =
        dir_.filePath(QStringLiteral("copie/copie di sicurezza/2026-12-09 10.15.02"));
    if (!QDir().mkpath(copy)) qFatal("cannot make %s", qPrintable(copy));
    const QString when = QStringLiteral("9 dicembre 2026 alle 10:15:02");
    t.seeds.append(
        {"/media/chiavetta/Nubilario\n",
         {when + QStringLiteral(", prima del ripristino da /media/chiavetta/Nubilario")}});
    t.seeds.append({"", {when + QStringLiteral(", prima di un ripristino")}});
    t.read = [copy, when](const QByteArray& bytes, QStringList* wrong) {
      QFile note(copy + u'/' + safetycopy::kRestoreNote);
      if (!note.open(QIODevice::WriteOnly) || note.write(bytes) != bytes.size())
        qFatal("cannot write the note");
      note.close();
      const QVector<safetycopy::Copy> copies =
          safetycopy::list(QFileInfo(QFileInfo(copy).path()).path());
      expect(wrong, copies.size() == 1 && copies[0].beforeRestore, "the copy not listed");
      if (copies.size() != 1) return QStringList();
      const QString entry = safetycopy::describeForList(copies[0]);
      expect(wrong, !holdsLineEnd(entry) && entry.startsWith(when), "an entry of more lines");
      expect(wrong, copies[0].restoredFrom.size() <= 4096, "more than the note's bound");
      return QStringList{entry};
    };
    return t;
  }

  // The daily history as the start checks it: whatever the check passes
  // reads the same through the date index as through the table.
  Target histories() const {
    Target t;
    const QString path = dir_.filePath(QStringLiteral("storico.mdb"));
    {
      DailyHistory h;
      QVector<DayRecord> february;
      for (int d = 1; d <= 28; ++d)
        february.append({QDate(2026, 2, d), QString::number(d - 5), "9", "0,2", "nota"});
      if (!DailyHistory::create(path) || !h.open(path) || !h.write(february, "febbraio"))
        qFatal("cannot make the history");
    }
    const QByteArray sound = bytesOf(path);
    t.seeds.append({sound, {QStringLiteral("0"), QStringLiteral("28")}});
    t.read = [this, sound](const QByteArray& bytes, QStringList* wrong) {
      // A failing disk changes bits in place: the input only says which.
      QByteArray damaged = sound;
      if (bytes != sound)
        for (quint32 h = qHash(bytes), n = 1 + h % 3; n > 0; --n) {
          h = h * 1103515245u + 12345u;
          damaged[h % damaged.size()] ^= char(1 << ((h >> 16) % 8));
        }
      const QString file = put(QStringLiteral("giornaliero.mdb"), damaged);
      QFile::remove(file + QStringLiteral("-journal"));
      const auto r = archivecheck::check(
          file, archivecheck::expectedColumns(QStringLiteral("giornaliero.mdb")));
      expect(wrong, r.state != archivecheck::State::Busy, "a file of nobody's called in use");
      QStringList reading{QString::number(int(r.state))};
      if (r.state != archivecheck::State::Ok) return reading;
      const QString name = QStringLiteral("fuzz-history");
      {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(file);
        db.open();
        QSqlQuery q(db);
        auto count = [&q](const QString& sql) {
          return q.exec(sql) && q.next() ? q.value(0).toLongLong() : -1;
        };
        const qint64 table = count(QStringLiteral("SELECT count(*) FROM tab NOT INDEXED"));
        const qint64 index = count(QStringLiteral(
            "SELECT count(*) FROM tab INDEXED BY sqlite_autoindex_tab_1 WHERE data >= ''"));
        // Each day of the table found through the index, at its own row.
        const qint64 lost = count(QStringLiteral(
            "SELECT count(*) FROM tab AS t NOT INDEXED WHERE NOT EXISTS (SELECT 1 FROM tab AS i "
            "INDEXED BY sqlite_autoindex_tab_1 WHERE i.data = t.data AND i.rowid = t.rowid)"));
        expect(wrong, table < 0 || index < 0 || (table == index && lost == 0),
               "the index and the table disagree");
        reading << QString::number(table);
        q.finish();
        db.close();
      }
      QSqlDatabase::removeDatabase(name);
      return reading;
    };
    return t;
  }

  // CSV files of an archive and of the history, in both dialects. Whatever
  // is read goes out and comes back in the same.
  static Target csvFiles() {
    using csvexchange::Target;
    struct Kind {
      Target target;
      QStringList columns;
    };
    const Kind rain{Target(ArchiveKind::Rain), records::columns(ArchiveKind::Rain)};
    const Kind days{Target::history(), csvexchange::historyHeadings()};
    const QVector<QStringList> records = {{"Marzo  2026", "3 evento/i", "12,5 mm", "a \"b\";\r\nc"},
                                          {"'x", "", "7 mm", "città|"}};
    const QVector<DayRecord> history = {{QDate(2026, 3, 1), "-1,5", "8", "0,2", "nota, \"lunga\""},
                                        {QDate(2026, 3, 2), "n.d.", "", "", ""}};
    ::Target t;
    // Each input: the kind (first byte) and the dialect (second), then the file.
    for (const Kind& k : {rain, days})
      for (csv::Dialect d : {csv::Dialect::Semicolon, csv::Dialect::Comma}) {
        const bool h = k.target == Target::history();
        const QByteArray file =
            csv::document(h ? csvexchange::historyTable(history, d)
                            : csvexchange::archiveTable(k.target, k.columns, records, d),
                          d);
        QStringList reading;
        for (int i = 0; i < 2; ++i)
          reading << (h ? QStringList{history[i].date.toString(Qt::ISODate), history[i].minimum,
                                      history[i].maximum, history[i].rain, history[i].note}
                        : records[i])
                         .join(u'|');
        t.seeds.append(
            {QByteArray(1, h ? 'H' : 'R') + char(d == csv::Dialect::Comma) + file, reading});
      }
    t.read = [rain, days](const QByteArray& input, QStringList* wrong) {
      const Kind& k = input.startsWith('H') ? days : rain;
      const csv::Dialect d =
          input.size() > 1 && input[1] == '\1' ? csv::Dialect::Comma : csv::Dialect::Semicolon;
      const QString text = csv::decode(input.mid(2));
      const auto table = csvexchange::read(text, k.target, k.columns, d);
      const bool h = k.target == Target::history();
      QStringList reading;
      QVector<QStringList> records;
      QVector<DayRecord> history;
      int last = 0;
      for (const auto& e : table.entries) {
        expect(wrong, e.values.size() == k.columns.size(), "not one text per column");
        expect(wrong, e.line > last, "records out of order");
        last = e.line;
        if (h) {
          expect(wrong, e.day.date.isValid(), "a day without its date");
          history << e.day;
        } else {
          records << e.values;
        }
        reading << (h ? QStringList{e.day.date.toString(Qt::ISODate), e.day.minimum, e.day.maximum,
                                    e.day.rain, e.day.note}
                      : e.values)
                       .join(u'|');
      }
      for (const auto& r : table.refused)
        expect(wrong, r.line >= 0 && r.line <= text.count(u'\n') + text.count(u'\r') + 1,
               "a refusal outside the file");
      // Out and in again: the same, column for column.
      QStringList given;
      for (int c : table.given) given << k.columns[c];
      const auto again = csvexchange::read(
          csv::decode(csv::document(h ? csvexchange::historyTable(history, d)
                                      : csvexchange::archiveTable(k.target, k.columns, records, d),
                                    d)),
          k.target, k.columns, d);
      expect(wrong, again.refused.isEmpty() && again.entries.size() == table.entries.size(),
             "what was read does not come back");
      for (qsizetype i = 0; i < again.entries.size() && i < table.entries.size(); ++i)
        expect(wrong,
               h ? again.entries[i].day == table.entries[i].day
                 : again.entries[i].values == table.entries[i].values,
               "a record changed on its way out and back");
      return reading;
    };
    return t;
  }

 private Q_SLOTS:
  void initTestCase() { pinItalianLocale(); }

  void readers_data() {
    QTest::addColumn<Target>("target");
    QTest::addColumn<quint32>("seed");
    QTest::newRow("config.cfg") << config() << 1u;
    QTest::newRow("sheet files") << sheets() << 2u;
    QTest::newRow("reports") << reports() << 3u;
    QTest::newRow("CSV files") << csvFiles() << 4u;
    QTest::newRow("notes of a restore") << restoreNotes() << 5u;
    QTest::newRow("daily histories") << histories() << 6u;
  }
  void readers() {
    QFETCH(Target, target);
    QFETCH(quint32, seed);
    QStringList wrong;
    for (const auto& [bytes, reading] : target.seeds) {
      QCOMPARE(target.read(bytes, &wrong), reading);
      QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u'\n')));
    }
    Mutator mutator(seed);
    QElapsedTimer timer;
    for (int i = 0; i < kInputs; ++i) {
      const QByteArray input =
          mutator.mutate(target.seeds[mutator.below(target.seeds.size())].first);
      timer.start();
      target.read(input, &wrong);
      const qint64 ms = timer.elapsed();
      QVERIFY2(wrong.isEmpty() && ms < kHangMs,
               qPrintable(QStringLiteral("input %1, %2 ms: ").arg(i).arg(ms) + wrong.join(u' ')));
    }
  }
};

QTEST_GUILESS_MAIN(tst_fuzz)
#include "tst_fuzz.moc"
