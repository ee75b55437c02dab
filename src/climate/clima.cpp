#include "climate/clima.h"

#include <QChartView>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

#include "climate/grafici.h"
#include "common/appcontext.h"
#include "common/mainwindow.h"
#include "common/widgets.h"
#include "rules/climatereport.h"
#include "rules/months.h"
#include "rules/recordset.h"
#include "rules/sqlitefile.h"
#include "rules/textfile.h"

using widgets::button;
using widgets::label;
using widgets::named;

namespace {

const QString kTitolo = QStringLiteral("Clima della stazione");
const QString kFiltroTesto = QStringLiteral("File di testo (*.txt)|*.txt|Tutti i file|*.*");
const QString kFiltroGrafico = QStringLiteral(
    "Immagine PNG (*.png)|*.png|Disegno SVG (*.svg)|*.svg|Documento PDF (*.pdf)|*.pdf");

QSpinBox* annoBox(QWidget* parent, const char* name) {
  auto* s = named<QSpinBox>(parent, name);
  s->setRange(1, 9999);
  s->setGroupSeparatorShown(false);
  return s;
}

}  // namespace

clima::clima(AppContext& ctx) : ToolWindow(ctx, ctx.existingMainWindow(), "clima", kTitolo) {
  vista = named<QComboBox>(this, "vista");
  vista->addItems({QStringLiteral("Il mese"), QStringLiteral("L'anno"), QStringLiteral("Più anni"),
                   QStringLiteral("Le normali"), QStringLiteral("I record della stazione")});
  mese = named<QComboBox>(this, "mese");
  mese->addItems(months::names());
  anno = annoBox(this, "anno");
  finoAl = annoBox(this, "finoAl");
  normaliDal = annoBox(this, "normaliDal");
  normaliAl = annoBox(this, "normaliAl");
  QLabel* vistaLabel = label(this, "vistaLabel", QStringLiteral("&Vedere:"));
  QLabel* meseLabel = label(this, "meseLabel", QStringLiteral("&Mese:"));
  QLabel* annoLabel = label(this, "annoLabel", QStringLiteral("&Anno:"));
  QLabel* finoLabel = label(this, "finoLabel", QStringLiteral("&Fino al / a confronto con:"));
  QLabel* normaliLabel = label(this, "normaliLabel", QStringLiteral("&Normali dal:"));
  QLabel* alLabel = label(this, "alLabel", QStringLiteral("a&l:"));
  vistaLabel->setBuddy(vista);
  meseLabel->setBuddy(mese);
  annoLabel->setBuddy(anno);
  finoLabel->setBuddy(finoAl);
  normaliLabel->setBuddy(normaliDal);
  alLabel->setBuddy(normaliAl);

  schede = named<QTabWidget>(this, "schede");
  resoconto = named<QPlainTextEdit>(this, "resoconto");
  resoconto->setReadOnly(true);
  resoconto->setLineWrapMode(QPlainTextEdit::NoWrap);
  resoconto->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  resoconto->setAccessibleName(QStringLiteral("Resoconto climatologico"));
  schede->addTab(resoconto, QStringLiteral("&Cifre e resoconto"));

  auto* pagina = named<QWidget>(this, "paginaGrafici");
  grafico = named<QComboBox>(pagina, "grafico");
  grafico->addItems(grafici::nomi());
  QLabel* graficoLabel = label(pagina, "graficoLabel", QStringLiteral("&Grafico:"));
  graficoLabel->setBuddy(grafico);
  disegno = named<QChartView>(pagina, "disegno");
  disegno->setRenderHint(QPainter::Antialiasing);
  disegno->setMinimumSize(640, 380);
  disegno->setAccessibleName(QStringLiteral("Grafico"));
  auto* righeGrafico = new QVBoxLayout(pagina);
  auto* sceltaGrafico = new QHBoxLayout;
  sceltaGrafico->addWidget(graficoLabel);
  sceltaGrafico->addWidget(grafico, 1);
  righeGrafico->addLayout(sceltaGrafico);
  righeGrafico->addWidget(disegno, 1);
  schede->addTab(pagina, QStringLiteral("G&rafici"));
  schede->setAccessibleName(QStringLiteral("Resoconto e grafici"));

  stato = label(this, "stato", QString());
  stato->setWordWrap(true);
  salvaResoconto = button(this, "salvaResoconto", QStringLiteral("&Salva resoconto..."));
  stampaResoconto = button(this, "stampaResoconto", QStringLiteral("S&tampa resoconto..."));
  salvaGrafico = button(this, "salvaGrafico", QStringLiteral("Salva gra&fico..."));
  stampaGrafico = button(this, "stampaGrafico", QStringLiteral("Stam&pa grafico..."));
  chiudi = button(this, "chiudi", QStringLiteral("C&hiudi"));

  auto* scelta = new QGridLayout;
  scelta->addWidget(vistaLabel, 0, 0);
  scelta->addWidget(vista, 0, 1);
  scelta->addWidget(meseLabel, 0, 2);
  scelta->addWidget(mese, 0, 3);
  scelta->addWidget(annoLabel, 0, 4);
  scelta->addWidget(anno, 0, 5);
  scelta->addWidget(finoLabel, 1, 0, 1, 2, Qt::AlignRight);
  scelta->addWidget(finoAl, 1, 2);
  scelta->addWidget(normaliLabel, 1, 3, Qt::AlignRight);
  scelta->addWidget(normaliDal, 1, 4);
  scelta->addWidget(alLabel, 1, 5, Qt::AlignRight);
  scelta->addWidget(normaliAl, 1, 6);
  scelta->setColumnStretch(7, 1);
  auto* bottoni = new QHBoxLayout;
  bottoni->addWidget(salvaResoconto);
  bottoni->addWidget(stampaResoconto);
  bottoni->addWidget(salvaGrafico);
  bottoni->addWidget(stampaGrafico);
  bottoni->addStretch(1);
  bottoni->addWidget(chiudi);
  auto* tutto = new QVBoxLayout(this);
  tutto->addLayout(scelta);
  tutto->addWidget(schede, 1);
  tutto->addWidget(stato);
  tutto->addLayout(bottoni);
  resize(900, 680);

  loading_ = true;
  anno->setValue(QDate::currentDate().year());
  loading_ = false;
  ricarica();
  // It opens on the last month the history holds.
  const QDate last = station_.days().isEmpty() ? QDate::currentDate() : station_.days().last().date;
  loading_ = true;
  mese->setCurrentIndex(last.month() - 1);
  anno->setValue(last.year());
  finoAl->setValue(last.year() - 1);
  loading_ = false;
  aggiorna();

  for (QComboBox* c : {vista, mese, grafico})
    connect(c, &QComboBox::currentIndexChanged, this, [this] { aggiorna(); });
  for (QSpinBox* s : {anno, finoAl, normaliDal, normaliAl})
    connect(s, &QSpinBox::valueChanged, this, [this] { aggiorna(); });
  connect(salvaResoconto, &QPushButton::clicked, this, &clima::salvaResoconto_Click);
  connect(stampaResoconto, &QPushButton::clicked, this, &clima::stampaResoconto_Click);
  connect(salvaGrafico, &QPushButton::clicked, this, &clima::salvaGrafico_Click);
  connect(stampaGrafico, &QPushButton::clicked, this, &clima::stampaGrafico_Click);
  connect(chiudi, &QPushButton::clicked, this, &QWidget::close);
  if (DailyHistory* h = ctx_.history())
    connect(h, &DailyHistory::changed, this, [this] { ricarica(); });
}

QString clima::stazione() const { return ctx_.config().nome; }

void clima::showMonth(const QDate& month) {
  if (!month.isValid()) return;
  loading_ = true;
  vista->setCurrentIndex(Mese);
  mese->setCurrentIndex(month.month() - 1);
  anno->setValue(month.year());
  loading_ = false;
  aggiorna();
}

void clima::showYear(int year) {
  if (year < 1 || year > 9999) return;
  loading_ = true;
  vista->setCurrentIndex(Anno);
  anno->setValue(year);
  loading_ = false;
  aggiorna();
}

void clima::ricarica() {
  QString error;
  QStringList problemi;
  QVector<climate::Day> days;
  if (DailyHistory* h = ctx_.history(&error))
    days = h->numbers();
  else
    problemi << QStringLiteral("Storico giornaliero non disponibile: ") +
                    sqlitefile::explain(error).text;
  QVector<QStringList> temperature, pioggia;
  if (MainWindow* main = ctx_.mainWindow()) {
    QString e;
    temperature = main->recordset(ArchiveKind::Temperature).allValues(&e);
    if (!e.isEmpty())
      problemi << QStringLiteral("Archivio delle temperature non leggibile: ") +
                      sqlitefile::explain(e).text;
    e.clear();
    pioggia = main->recordset(ArchiveKind::Rain).allValues(&e);
    if (!e.isEmpty())
      problemi << QStringLiteral("Archivio delle precipitazioni non leggibile: ") +
                      sqlitefile::explain(e).text;
  }
  station_ = climate::Station(days, climate::archiveMonths(temperature, pioggia));
  // The reference period: the one already chosen, or the station's own.
  if (normaliDal->value() == 1 || normaliAl->value() == 1) {
    // Without a complete year, every year there is.
    auto [dal, al] = station_.defaultReference();
    if (!dal) dal = station_.firstYear(), al = station_.lastYear();
    if (!dal) dal = al = QDate::currentDate().year() - 1;
    loading_ = true;
    normaliDal->setValue(dal);
    normaliAl->setValue(al);
    loading_ = false;
  }
  stato->setText(problemi.join(u'\n'));
  aggiorna();
}

void clima::aggiorna() {
  if (loading_) return;
  const int dal = std::min(normaliDal->value(), normaliAl->value());
  const int al = std::max(normaliDal->value(), normaliAl->value());
  normals_ = climate::normals(station_, dal, al);
  const Vista v = Vista(vista->currentIndex());
  // The year compared and the month drawn come from the same fields as the
  // report. Each field is set once: one disabled for a moment would lose the
  // focus, and the keeper's next digit would go into the next field.
  const auto tipo = grafici::Tipo(grafico->currentIndex());
  mese->setEnabled(v == Mese || tipo == grafici::Tipo::Giornaliero);
  anno->setEnabled(v == Mese || v == Anno || v == Anni || tipo != grafici::Tipo::Climogramma);
  finoAl->setEnabled(v == Anni || tipo == grafici::Tipo::Confronto);
  const int y = anno->value();
  switch (v) {
    case Mese:
      righe_ = climatereport::month(stazione(), station_, y, mese->currentIndex() + 1, normals_);
      break;
    case Anno:
      righe_ = climatereport::year(stazione(), station_, y, normals_);
      break;
    case Anni:
      righe_ = climatereport::years(stazione(), station_, std::min(y, finoAl->value()),
                                    std::max(y, finoAl->value()));
      break;
    case Normali:
      righe_ = climatereport::normals(stazione(), normals_);
      break;
    case Record:
      righe_ = climatereport::records(stazione(), station_);
      break;
  }
  resoconto->setPlainText(righe_.join(u'\n'));
  aggiornaGrafico();
}

void clima::aggiornaGrafico() {
  grafici::Scelta s;
  s.tipo = grafici::Tipo(grafico->currentIndex());
  s.anno = anno->value();
  s.mese = mese->currentIndex() + 1;
  s.altroAnno = finoAl->value();
  QChart* old = disegno->chart();
  disegno->setChart(grafici::crea(s, station_, normals_, stazione()));
  delete old;
}

std::optional<QString> clima::chiediFile(const QString& titolo, const QString& filtro,
                                         const QString& nome) {
  SaveFileRequest request;
  request.title = titolo;
  request.filter = filtro;
  request.filterIndex = 1;
  request.initialName = nome;
  return ctx_.dialogs().saveFile(this, request);
}

void clima::nonSalvato(const QString& cosa, const QString& path, const QString& error) {
  ctx_.dialogs().message(this,
                         QStringLiteral("Impossibile salvare %1 in %2:\n%3")
                             .arg(cosa, QDir::toNativeSeparators(path), error),
                         MsgIcon::Critical);
}

void clima::salvaResoconto_Click() {
  const auto path =
      chiediFile(QStringLiteral("Salva resoconto"), kFiltroTesto, QStringLiteral("clima.txt"));
  QString error;
  if (path && !textfile::write(*path, climatereport::text(righe_), &error))
    nonSalvato(QStringLiteral("il resoconto"), *path, error);
}

void clima::stampaResoconto_Click() {
  TextPrinter& printer = ctx_.printer();
  if (!printer.setup(this, QStringLiteral("Stampa resoconto"))) return;
  try {
    printer.setCurrentY(700);
    printer.setFontSize(9);
    // Each line goes back to the left edge: every one starts at the margin.
    for (const QString& line : righe_) {
      printer.setCurrentX(700);
      printer.printLine({PrintItem::txt(line)});
    }
    printer.endDoc();
  } catch (const std::exception& e) {
    printer.abortDoc();
    ctx_.dialogs().message(
        this,
        QStringLiteral("Impossibile stampare il resoconto:\n") + QString::fromLocal8Bit(e.what()),
        MsgIcon::Critical);
  }
}

void clima::salvaGrafico_Click() {
  schede->setCurrentIndex(1);
  const auto chosen =
      chiediFile(QStringLiteral("Salva grafico"), kFiltroGrafico, QStringLiteral("grafico.png"));
  if (!chosen) return;
  QString path = *chosen;
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix != u"png" && suffix != u"svg" && suffix != u"pdf") path += QStringLiteral(".png");
  QString error;
  if (!grafici::salva(disegno, path, &error)) nonSalvato(QStringLiteral("il grafico"), path, error);
}

void clima::stampaGrafico_Click() {
  schede->setCurrentIndex(1);
  try {
    ctx_.picturePrinter().print(this, QStringLiteral("Stampa grafico"),
                                [this](QPainter& p, const QRect& page) {
                                  disegno->render(&p, QRectF(page), QRect(), Qt::KeepAspectRatio);
                                });
  } catch (const std::exception& e) {
    ctx_.dialogs().message(
        this,
        QStringLiteral("Impossibile stampare il grafico:\n") + QString::fromLocal8Bit(e.what()),
        MsgIcon::Critical);
  }
}

void clima::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(event);
}
