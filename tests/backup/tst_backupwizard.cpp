#include "cinque.h"
#include "due.h"
#include "files.h"
#include "form1.h"
#include "procedura.h"
#include "quattro.h"
#include "servizi.h"
#include "sicurezza.h"
#include "tre.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

const QStringList kNomi{"neve.mdb",   "temperature.mdb", "altrieventi.mdb", "datipluviometrici.mdb",
                        "config.cfg", "tempmedie.txt",   "prpanno.txt",     "prpgiornaliera.txt"};

const QString kErrore = QStringLiteral(
    "Attenzione, si è verificato un errore. Possibili cause: uno o più file di cui effettuare il "
    "backup non esistono nel percorso di origine, oppure la periferica è stata disattivata o non "
    "è attiva o lo spazio su disco è esaurito.");

const QString kRichiesta = QStringLiteral(
    "Seleziona il percorso o l'unità dove di destinazione per i file di backup di Nubilario 3:");

// Distinct bytes for every file and every version of it.
QByteArray dati(const QString& versione, const QString& nome) {
  return (versione + ":" + nome + "\r\n").toUtf8() +
         QByteArray(nome.size() * 37, char(nome.size()));
}

void scriviFile(const QString& percorso, const QByteArray& contenuto) {
  QFile f(percorso);
  QVERIFY2(f.open(QIODevice::WriteOnly), qPrintable(percorso));
  QCOMPARE(f.write(contenuto), contenuto.size());
}

void scriviInsieme(const QString& cartella, const QString& versione) {
  QVERIFY(QDir().mkpath(cartella));
  for (const QString& nome : kNomi) scriviFile(cartella + "/" + nome, dati(versione, nome));
}

QStringList voci(const QString& cartella) {
  return QDir(cartella).entryList(
      QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// Which file of the set holds which version ("-" where there is none).
QStringList versioni(const QString& cartella, const QStringList& candidati) {
  QStringList esito;
  for (const QString& nome : kNomi) {
    const QByteArray c = bytesOf(cartella + "/" + nome);
    QString v = "-";
    for (const QString& candidato : candidati)
      if (c == dati(candidato, nome)) v = candidato;
    esito << v;
  }
  return esito;
}

template <class T>
T* cerca(QWidget* pagina, const char* nome) {
  return pagina->findChild<T*>(QString::fromLatin1(nome));
}

void clic(QWidget* pagina, const char* nome) {
  auto* b = cerca<QPushButton>(pagina, nome);
  QVERIFY2(b, nome);
  QVERIFY2(b->isEnabled() && b->isVisibleTo(pagina), nome);
  QTest::mouseClick(b, Qt::LeftButton);
}

// What the user sees on a run page: the texts and blocks that show, then
// the buttons that can be pressed.
QString stato(QWidget* pagina) {
  QStringList visibili, attivi;
  for (const char* nome :
       {"Label5", "Label2", "Label6", "erroreee", "Label8", "Frame2", "primo", "secondo", "terzo",
        "quarto", "quinto", "sesto", "Command3", "Command4termina"}) {
    auto* w = cerca<QWidget>(pagina, nome);
    if (w && !w->isHidden()) visibili << nome;
  }
  for (const char* nome : {"Command2", "Command3", "Command1", "Command4termina"}) {
    auto* b = cerca<QPushButton>(pagina, nome);
    if (b && !b->isHidden() && b->isEnabled()) attivi << nome;
  }
  return visibili.join(' ') + " | " + attivi.join(' ');
}

enum Caso {
  Manca,             // the file named in the row is missing from the source folder
  CartellaMancante,  // the destination folder does not exist
  CartellaFile,      // the destination "folder" is a regular file
  NomeTroppoLungo,
  SolaLettura,  // a folder nobody may create files in, root included
  DiscoPieno,   // writing stops half-way through the file named in the row
};

}  // namespace

class tst_backupwizard : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void init();
  void cleanup();

  void pagine_data();
  void pagine();
  void controlli_data();
  void controlli();
  void aspetto();
  void blocchi_data();
  void blocchi();

  void dueSegueText1();
  void quattroSegueText1EIlTimer();
  void quattroTimerGiraAncheNascosta();
  void predefinito();
  void sfoglia_data();
  void sfoglia();
  void avantiEIndietro();
  void paginaCorsaRicaricata_data();
  void paginaCorsaRicaricata();
  void termina_data();
  void termina();
  void chiusuraIgnorataDuranteLaCorsa();

  void backupCompleto_data();
  void backupCompleto();
  void backupFallito_data();
  void backupFallito();
  void ripristinoCompleto();
  void storicoGiornaliero();
  void ripristinoFallito_data();
  void ripristinoFallito();
  void ripristinoDaCopiaDiSicurezza();
  void copiaDiSicurezzaFallita_data();
  void copiaDiSicurezzaFallita();
  void undiciRipristini();
  void collegamentoNelleCopie();

 private:
  tre* versoTre(const QString& cartella);
  cinque* versoCinque(const QString& backup, const QString& programma);
  QWidget* pagina(const QString& nome);

  std::unique_ptr<QTemporaryDir> radice_;
  QString programma_;
  std::unique_ptr<ServiziSimulati> servizi_;
  std::unique_ptr<Procedura> procedura_;
};

void tst_backupwizard::init() {
  radice_ = std::make_unique<QTemporaryDir>();
  QVERIFY(radice_->isValid());
  programma_ = radice_->filePath("programma");
  scriviInsieme(programma_, "dati");
  servizi_ = std::make_unique<ServiziSimulati>();
  procedura_ = std::make_unique<Procedura>(*servizi_, programma_);
  procedura_->avvia();
}

void tst_backupwizard::cleanup() {
  procedura_.reset();
  servizi_.reset();
  radice_.reset();
}

tre* tst_backupwizard::versoTre(const QString& cartella) {
  clic(&procedura_->paginaForm1(), "Command11");
  due& d = procedura_->paginaDue();
  cerca<QLineEdit>(&d, "Text1")->setText(cartella);
  clic(&d, "Command3");
  return procedura_->treCaricata();
}

cinque* tst_backupwizard::versoCinque(const QString& backup, const QString& programma) {
  clic(&procedura_->paginaForm1(), "Command13");
  quattro& q = procedura_->paginaQuattro();
  cerca<QLineEdit>(&q, "Text2")->setText(backup);
  cerca<QLineEdit>(&q, "Text1")->setText(programma);
  q.Timer1_Timer();
  clic(&q, "Command5");
  return procedura_->cinqueCaricata();
}

QWidget* tst_backupwizard::pagina(const QString& nome) {
  if (nome == "Form1") return &procedura_->paginaForm1();
  if (nome == "due") return &procedura_->paginaDue();
  if (nome == "tre") return &procedura_->paginaTre();
  if (nome == "quattro") return &procedura_->paginaQuattro();
  return &procedura_->paginaCinque();
}

void tst_backupwizard::pagine_data() {
  QTest::addColumn<QString>("nome");
  QTest::addColumn<bool>("chiudibile");
  QTest::newRow("Form1") << "Form1" << true;
  QTest::newRow("due") << "due" << true;
  QTest::newRow("tre") << "tre" << false;
  QTest::newRow("quattro") << "quattro" << true;
  QTest::newRow("cinque") << "cinque" << false;
}

void tst_backupwizard::pagine() {
  QFETCH(QString, nome);
  QFETCH(bool, chiudibile);
  QWidget* p = pagina(nome);
  QCOMPARE(p->objectName(), nome);
  QCOMPARE(p->windowTitle(), "Nubilario 3 - Utility di Backup");
  const double dpi = p->logicalDpiX();
  const QSize attesa(qRound(6105 * dpi / 1440), qRound(5025 * dpi / 1440));
  QCOMPARE(p->minimumSize(), attesa);
  QCOMPARE(p->maximumSize(), attesa);
  QVERIFY(!p->windowIcon().isNull());
  QVERIFY(!p->windowIcon().pixmap(16).isNull());
  const Qt::WindowFlags f = p->windowFlags();
  QVERIFY(!(f & Qt::WindowMaximizeButtonHint));
  QCOMPARE(bool(f & Qt::WindowCloseButtonHint), chiudibile);
  QCOMPARE(bool(f & Qt::WindowSystemMenuHint), chiudibile);
  // Only the start page shows at first.
  QCOMPARE(p->isVisible(), nome == "Form1");
  // A screen reader announces each page as a window, by its title.
  QAccessibleInterface* finestra = QAccessible::queryAccessibleInterface(p);
  QVERIFY(finestra);
  QCOMPARE(finestra->role(), QAccessible::Window);
  QCOMPARE(finestra->text(QAccessible::Name), "Nubilario 3 - Utility di Backup");
}

void tst_backupwizard::controlli_data() {
  QTest::addColumn<QString>("pagina");
  QTest::addColumn<QString>("controllo");
  QTest::addColumn<QString>("testo");
  QTest::addColumn<bool>("visibile");
  QTest::addColumn<bool>("attivo");
  auto riga = [](const char* p, const char* c, const QString& t, bool v = true, bool a = true) {
    QTest::addRow("%s %s", p, c) << p << c << t << v << a;
  };
  riga("Form1", "Label2", "Benvenuti nel programma di Backup di Nubilario 3 !");
  riga("Form1", "Label5", "Ultility di Backup");
  riga("Form1", "Label26", "- IMPORTANTE -");
  riga("Form1", "Label3", "Prima di procedere accertarsi che Nubilario non sia in esecuzione.");
  riga("Form1", "Frame1", "Creazione file di backup");
  riga("Form1", "Label24",
       "Questa procedura vi guiderà nel processo di creazione dei backup dei database e dei file "
       "di archivio di Nubilario 3.");
  riga("Form1", "Command11", "Crea file di backup >>");
  riga("Form1", "Frame2", "Ripristino file di backup");
  riga("Form1", "Label25",
       "Questa procedura provvederà a ripristinare automaticamente i database e i file di "
       "archivio di Nubilario 3.");
  riga("Form1", "Command13", "Ripristina file di backup >>");
  riga("Form1", "Label4", "Versione 2.0");
  riga("Form1", "Command1", "Chiudi");

  riga("due", "Label12", "Percorso di destinazione");
  riga("due", "Label14",
       "Specificare, utilizzando il pulsante \"Sfoglia\", il percorso o l'unità dove si "
       "desidera salvare le copie di backup...");
  riga("due", "Label2", "Percorso o unità di destinazione dei backup:");
  riga("due", "Text1", "");
  riga("due", "Command2", "&Sfoglia");
  riga("due", "Label16",
       "Sono supportate tutte le unità di memorizzazione locali, eccetto CD ROM o DVD");
  riga("due", "Command4", "< Indietro");
  riga("due", "Command3", "Avanti >", true, false);
  riga("due", "Command1", "Chiudi");

  riga("tre", "Label12", "Creazione file di backup in corso...");
  riga("tre", "Label14", "Attendere mentre vengono creati i file di backup di Nubilario...");
  riga("tre", "Label5",
       "Il programma di Backup è pronto. Premere su \"Backup!\" per creare i file di backup...");
  riga("tre", "Label2",
       "Creazione dei file di backup in corso, attendere per favore il completamento "
       "dell'operazione...",
       false);
  riga("tre", "Label6",
       "Creazione dei file di backup completata correttamente. Accertarsi comunque dell'avvenuta "
       "copia...",
       false);
  riga("tre", "erroreee", "Si è verificato un errore durante la fase di creazione dei backup...",
       false);
  riga("tre", "Label8", "Creazione file in corso...", false);
  riga("tre", "Frame2", "", false);
  riga("tre", "Label4", "Errore!");
  riga("tre", "Label7", "I file di backup non sono stati creati");
  riga("tre", "percorso", "", false);
  riga("tre", "Command2", "<< Torna alla schermata iniziale", true, false);
  riga("tre", "Command3", "Backup!");
  riga("tre", "Command1", "Chiudi");
  riga("tre", "Command4termina", "Termina applicazione", false);

  riga("quattro", "Label12", "Percorsi ");
  riga("quattro", "Label14",
       "Specificare, utilizzando il pulsante \"Sfoglia\", il percorso dove si trovano i backup di "
       "Nubilario e il programma stesso...");
  riga("quattro", "per", "Percorso o unità dove si trovano i backup:");
  riga("quattro", "Text2", "");
  riga("quattro", "Command3", "Sfoglia");
  riga("quattro", "Label3", "Percorso di Nubilario sul computer:");
  riga("quattro", "Text1", "<programma>");
  riga("quattro", "Command6", "Sfoglia");
  riga("quattro", "Command4", "Predefinito");
  riga("quattro", "Label16",
       "Premere sul pulsante \"Predefinito\" per impostare il percorso standard di Nubilario, "
       "cioè: '<programma>'");
  riga("quattro", "copie", "Copie di sicurezza...", true, false);
  riga("quattro", "Command2", "< Indietro");
  riga("quattro", "Command5", "Avanti >", true, false);
  riga("quattro", "Command1", "Chiudi");

  riga("cinque", "Label12", "Ripristino file di backup");
  riga("cinque", "Label14", "Ripristina i file di backup nel percorso di Nubilario 3.");
  riga("cinque", "Label5",
       "Il programma di Backup è pronto. Premere su \"Ripristina!\" per ripristinare i file di "
       "backup...");
  riga("cinque", "Label2",
       "Ripristino dei file di backup in corso, attendere per favore il completamento "
       "dell'operazione...",
       false);
  riga("cinque", "Label6", "Ripristino dei file di backup completata correttamente. ", false);
  riga("cinque", "erroreee",
       "Si è verificato un errore durante la fase di ripristino dei file di Nubilario...", false);
  riga("cinque", "Label8", "Ripristino file in corso...", false);
  riga("cinque", "Frame2", "", false);
  riga("cinque", "Label4", "Errore!");
  riga("cinque", "Label7", "Ripristino non portato a termine correttamente");
  riga("cinque", "SORGENTE", "", false);
  riga("cinque", "DESTINAZIONE", "", false);
  riga("cinque", "Command2", "<< Torna alla schermata iniziale", true, false);
  riga("cinque", "Command3", "Ripristina!");
  riga("cinque", "Command1", "Chiudi");
  riga("cinque", "Command4termina", "Termina applicazione", false, false);
}

void tst_backupwizard::controlli() {
  QFETCH(QString, pagina);
  QFETCH(QString, controllo);
  QFETCH(QString, testo);
  QFETCH(bool, visibile);
  QFETCH(bool, attivo);
  testo.replace("<programma>", QDir::toNativeSeparators(programma_));

  QWidget* p = this->pagina(pagina);
  auto* w = p->findChild<QWidget*>(controllo);
  QVERIFY(w);
  QString letto;
  if (auto* l = qobject_cast<QLabel*>(w))
    letto = l->text();
  else if (auto* b = qobject_cast<QAbstractButton*>(w))
    letto = b->text();
  else if (auto* g = qobject_cast<QGroupBox*>(w))
    letto = g->title();
  else if (auto* t = qobject_cast<QLineEdit*>(w))
    letto = t->text();
  else
    QFAIL("unexpected kind of control");
  QCOMPARE(letto, testo);
  QCOMPARE(!w->isHidden(), visibile);
  QCOMPARE(w->isEnabled(), attivo);
  if (auto* l = qobject_cast<QLabel*>(w)) QCOMPARE(l->textFormat(), Qt::PlainText);
}

void tst_backupwizard::aspetto() {
  auto* benvenuto = cerca<QLabel>(&procedura_->paginaForm1(), "Label2");
  QCOMPARE(benvenuto->font().pointSizeF(), 13.5);
  auto* nome = cerca<QLabel>(&procedura_->paginaForm1(), "Label5");
  QCOMPARE(nome->font().pointSizeF(), 12.0);
  QCOMPARE(nome->palette().color(QPalette::WindowText), QColor(Qt::white));
  auto* importante = cerca<QLabel>(&procedura_->paginaForm1(), "Label26");
  QVERIFY(importante->font().bold());
  QCOMPARE(importante->palette().color(QPalette::WindowText), QColor(Qt::red));

  for (QWidget* p : {static_cast<QWidget*>(&procedura_->paginaTre()),
                     static_cast<QWidget*>(&procedura_->paginaCinque())})
    for (const char* grassetto : {"Label12", "Label5", "Label2", "Label6", "erroreee"})
      QVERIFY2(cerca<QLabel>(p, grassetto)->font().bold(), grassetto);
  QVERIFY(cerca<QLabel>(&procedura_->paginaDue(), "Label12")->font().bold());
  QVERIFY(cerca<QLabel>(&procedura_->paginaQuattro(), "Label12")->font().bold());

  // Captions name their fields for the keyboard and screen readers.
  QCOMPARE(cerca<QLabel>(&procedura_->paginaDue(), "Label2")->buddy(),
           cerca<QLineEdit>(&procedura_->paginaDue(), "Text1"));
  QCOMPARE(cerca<QLabel>(&procedura_->paginaQuattro(), "per")->buddy(),
           cerca<QLineEdit>(&procedura_->paginaQuattro(), "Text2"));
  QCOMPARE(cerca<QLabel>(&procedura_->paginaQuattro(), "Label3")->buddy(),
           cerca<QLineEdit>(&procedura_->paginaQuattro(), "Text1"));
}

void tst_backupwizard::blocchi_data() {
  QTest::addColumn<QString>("pagina");
  QTest::addColumn<QColor>("colore");
  QTest::newRow("backup, verdi") << "tre" << QColor(0, 192, 0);
  QTest::newRow("ripristino, gialli") << "cinque" << QColor(255, 255, 0);
}

void tst_backupwizard::blocchi() {
  QFETCH(QString, pagina);
  QFETCH(QColor, colore);
  auto* p = static_cast<Pagina*>(this->pagina(pagina));
  const int sinistre[] = {600, 1200, 1920, 2640, 3480, 4200};
  const char* nomi[] = {"primo", "secondo", "terzo", "quarto", "quinto", "sesto"};
  for (int i = 0; i < 6; ++i) {
    auto* b = cerca<QLabel>(p, nomi[i]);
    QVERIFY(b);
    QVERIFY(b->isHidden());
    QCOMPARE(b->x(), p->px(sinistre[i]));
    QCOMPARE(b->y(), p->px(1680));
    QCOMPARE(b->height(), p->px(255));
    QVERIFY(b->autoFillBackground());
    QCOMPARE(b->palette().color(QPalette::Window), colore);
    // Side by side, so that together they draw one bar.
    if (i < 5) QCOMPARE(b->geometry().right() + 1, p->px(sinistre[i + 1]));
  }
}

void tst_backupwizard::dueSegueText1() {
  clic(&procedura_->paginaForm1(), "Command11");
  due& d = procedura_->paginaDue();
  auto* avanti = cerca<QPushButton>(&d, "Command3");
  auto* campo = cerca<QLineEdit>(&d, "Text1");
  QVERIFY(!avanti->isEnabled());
  QTest::keyClick(campo, Qt::Key_X);
  QVERIFY(avanti->isEnabled());
  QTest::keyClick(campo, Qt::Key_Backspace);
  QVERIFY(!avanti->isEnabled());
  QTest::keyClicks(campo, "/mnt");
  QVERIFY(avanti->isEnabled());
}

void tst_backupwizard::quattroSegueText1EIlTimer() {
  clic(&procedura_->paginaForm1(), "Command13");
  quattro& q = procedura_->paginaQuattro();
  auto* avanti = cerca<QPushButton>(&q, "Command5");
  auto* programma = cerca<QLineEdit>(&q, "Text1");
  auto* backup = cerca<QLineEdit>(&q, "Text2");

  // The default target alone is not enough.
  q.Timer1_Timer();
  QVERIFY(!avanti->isEnabled());

  // The backup folder has no handler: the next tick notices it.
  servizi_->cartelle << QString("/media/chiavetta");
  clic(&q, "Command3");
  QCOMPARE(backup->text(), "/media/chiavetta");
  QVERIFY(!avanti->isEnabled());
  q.Timer1_Timer();
  QVERIFY(avanti->isEnabled());

  // Emptying the program's folder disables at once, without waiting.
  programma->selectAll();
  QTest::keyClick(programma, Qt::Key_Delete);
  QVERIFY(!avanti->isEnabled());
  q.Timer1_Timer();
  QVERIFY(!avanti->isEnabled());

  // Typing into it enables at once even with the backup folder empty; the
  // tick takes that back.
  backup->clear();
  QTest::keyClick(programma, Qt::Key_A);
  QVERIFY(avanti->isEnabled());
  q.Timer1_Timer();
  QVERIFY(!avanti->isEnabled());
}

void tst_backupwizard::quattroTimerGiraAncheNascosta() {
  clic(&procedura_->paginaForm1(), "Command13");
  quattro& q = procedura_->paginaQuattro();
  auto* timer = q.findChild<QTimer*>("Timer1");
  QVERIFY(timer);
  QCOMPARE(timer->interval(), 200);
  clic(&q, "Command2");
  QVERIFY(q.isHidden());
  QVERIFY(timer->isActive());
  cerca<QLineEdit>(&q, "Text2")->setText("/srv/copie");
  QTRY_VERIFY_WITH_TIMEOUT(cerca<QPushButton>(&q, "Command5")->isEnabled(), 1000);
}

void tst_backupwizard::predefinito() {
  clic(&procedura_->paginaForm1(), "Command13");
  quattro& q = procedura_->paginaQuattro();
  auto* programma = cerca<QLineEdit>(&q, "Text1");
  cerca<QLineEdit>(&q, "Text2")->setText("/srv/copie");
  programma->setText("/altro");
  clic(&q, "Command4");
  QCOMPARE(programma->text(), QDir::toNativeSeparators(programma_));
  q.Timer1_Timer();
  QVERIFY(cerca<QPushButton>(&q, "Command5")->isEnabled());
}

void tst_backupwizard::sfoglia_data() {
  QTest::addColumn<QString>("pagina");
  QTest::addColumn<QString>("pulsante");
  QTest::addColumn<QString>("campo");
  QTest::addColumn<bool>("annulla");
  QTest::newRow("destinazione del backup") << "due"
                                           << "Command2"
                                           << "Text1" << false;
  QTest::newRow("destinazione, annullato") << "due"
                                           << "Command2"
                                           << "Text1" << true;
  QTest::newRow("cartella dei backup") << "quattro"
                                       << "Command3"
                                       << "Text2" << false;
  QTest::newRow("cartella dei backup, annullato") << "quattro"
                                                  << "Command3"
                                                  << "Text2" << true;
  QTest::newRow("cartella del programma") << "quattro"
                                          << "Command6"
                                          << "Text1" << false;
  QTest::newRow("cartella del programma, annullato") << "quattro"
                                                     << "Command6"
                                                     << "Text1" << true;
}

void tst_backupwizard::sfoglia() {
  QFETCH(QString, pagina);
  QFETCH(QString, pulsante);
  QFETCH(QString, campo);
  QFETCH(bool, annulla);
  QWidget* p = this->pagina(pagina);
  auto* t = p->findChild<QLineEdit*>(campo);
  t->setText("/scritto/a/mano");
  if (!annulla) servizi_->cartelle << QString("/");
  clic(p, pulsante.toLatin1().constData());
  QCOMPARE(servizi_->richieste, QStringList{kRichiesta});
  QCOMPARE(servizi_->proprietari.value(0), p);
  QCOMPARE(t->text(), annulla ? "/scritto/a/mano" : "/");
}

void tst_backupwizard::avantiEIndietro() {
  Form1& inizio = procedura_->paginaForm1();
  inizio.move(140, 90);
  clic(&inizio, "Command11");
  due& d = procedura_->paginaDue();
  QVERIFY(d.isVisible() && inizio.isHidden());
  QCOMPARE(d.pos(), QPoint(140, 90));
  cerca<QLineEdit>(&d, "Text1")->setText("/mnt/copie");

  d.move(200, 100);
  clic(&d, "Command4");
  QVERIFY(inizio.isVisible() && d.isHidden());
  QCOMPARE(inizio.pos(), QPoint(200, 100));

  clic(&inizio, "Command13");
  quattro& q = procedura_->paginaQuattro();
  QCOMPARE(q.pos(), QPoint(200, 100));
  cerca<QLineEdit>(&q, "Text2")->setText("/mnt/copie");
  cerca<QLineEdit>(&q, "Text1")->setText("/opt/nubilario");
  q.move(30, 40);
  clic(&q, "Command2");
  QCOMPARE(inizio.pos(), QPoint(30, 40));

  // Each page keeps what was typed into it.
  clic(&inizio, "Command11");
  QCOMPARE(&procedura_->paginaDue(), &d);
  QCOMPARE(cerca<QLineEdit>(&d, "Text1")->text(), "/mnt/copie");
  QVERIFY(cerca<QPushButton>(&d, "Command3")->isEnabled());
  clic(&d, "Command4");
  clic(&inizio, "Command13");
  QCOMPARE(cerca<QLineEdit>(&q, "Text2")->text(), "/mnt/copie");
  QCOMPARE(cerca<QLineEdit>(&q, "Text1")->text(), "/opt/nubilario");

  // Forward to the run page, which receives both folders.
  q.Timer1_Timer();
  q.move(55, 66);
  clic(&q, "Command5");
  cinque* c = procedura_->cinqueCaricata();
  QVERIFY(c && c->isVisible() && q.isHidden());
  QCOMPARE(c->pos(), QPoint(55, 66));
  QCOMPARE(cerca<QLabel>(c, "SORGENTE")->text(), "/mnt/copie");
  QCOMPARE(cerca<QLabel>(c, "DESTINAZIONE")->text(), "/opt/nubilario");

  int visibili = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) visibili += w->isVisible();
  QCOMPARE(visibili, 1);
}

void tst_backupwizard::paginaCorsaRicaricata_data() {
  QTest::addColumn<bool>("backup");
  QTest::newRow("tre") << true;
  QTest::newRow("cinque") << false;
}

void tst_backupwizard::paginaCorsaRicaricata() {
  QFETCH(bool, backup);
  const QString copie = radice_->filePath("copie");
  scriviInsieme(copie, "copia");
  PaginaCorsa* p = backup ? static_cast<PaginaCorsa*>(versoTre(copie))
                          : static_cast<PaginaCorsa*>(versoCinque(copie, programma_));
  QVERIFY(p);
  const QString iniziale = stato(p);
  clic(p, "Command3");
  QCOMPARE(servizi_->messaggi.size(), 0);
  QVERIFY(stato(p) != iniziale);

  p->move(321, 123);
  clic(p, "Command2");
  Form1& inizio = procedura_->paginaForm1();
  QVERIFY(inizio.isVisible() && p->isHidden());
  QCOMPARE(inizio.pos(), QPoint(321, 123));
  QVERIFY(!procedura_->treCaricata() && !procedura_->cinqueCaricata());

  // The next run starts from a fresh page.
  PaginaCorsa* nuova = backup ? static_cast<PaginaCorsa*>(versoTre(copie))
                              : static_cast<PaginaCorsa*>(versoCinque(copie, programma_));
  QVERIFY(nuova);
  QCOMPARE(stato(nuova), iniziale);
  QCOMPARE(iniziale, "Label5 Command3 | Command3 Command1");
}

void tst_backupwizard::termina_data() {
  QTest::addColumn<QString>("pagina");
  QTest::addColumn<QString>("come");  // a button, or "chiusura" for the close box
  QTest::newRow("Form1 Chiudi") << "Form1"
                                << "Command1";
  QTest::newRow("Form1 chiusa") << "Form1"
                                << "chiusura";
  QTest::newRow("due Chiudi") << "due"
                              << "Command1";
  QTest::newRow("due chiusa") << "due"
                              << "chiusura";
  QTest::newRow("quattro Chiudi") << "quattro"
                                  << "Command1";
  QTest::newRow("quattro chiusa") << "quattro"
                                  << "chiusura";
  QTest::newRow("tre Chiudi") << "tre"
                              << "Command1";
  QTest::newRow("cinque Chiudi") << "cinque"
                                 << "Command1";
  QTest::newRow("tre Termina dopo un errore") << "tre"
                                              << "Command4termina";
  QTest::newRow("cinque Termina dopo il ripristino") << "cinque"
                                                     << "Command4termina";
}

void tst_backupwizard::termina() {
  QFETCH(QString, pagina);
  QFETCH(QString, come);
  QWidget* p = pagina == "tre"      ? versoTre(radice_->filePath("manca"))
               : pagina == "cinque" ? versoCinque(programma_, radice_->filePath("copia"))
                                    : this->pagina(pagina);
  QVERIFY(p);
  if (come == "Command4termina") {
    QVERIFY(pagina != "cinque" || QDir().mkpath(radice_->filePath("copia")));
    clic(p, "Command3");
  }
  QCOMPARE(servizi_->terminazioni, 0);
  if (come == "chiusura") {
    p->show();
    QVERIFY(p->close());
  } else {
    clic(p, come.toLatin1().constData());
  }
  QCOMPARE(servizi_->terminazioni, 1);
}

void tst_backupwizard::chiusuraIgnorataDuranteLaCorsa() {
  tre* t = versoTre(radice_->filePath("manca"));
  QVERIFY(t);
  bool chiusa = true;
  servizi_->mentreErrore = [&] { chiusa = t->close(); };
  clic(t, "Command3");
  QVERIFY(!chiusa);
  QVERIFY(t->isVisible());
  QCOMPARE(servizi_->terminazioni, 0);
}

void tst_backupwizard::backupCompleto_data() {
  QTest::addColumn<QString>("cartella");  // relative to the temporary folder
  QTest::addColumn<QString>("separatore");
  QTest::newRow("cartella nuova") << "chiavetta"
                                  << "";
  QTest::newRow("cartella che finisce col separatore") << "chiavetta"
                                                       << "/";
  QTest::newRow("sopra un backup precedente") << "vecchio"
                                              << "";
  QTest::newRow("nella cartella del programma") << "programma"
                                                << "";
}

void tst_backupwizard::backupCompleto() {
  QFETCH(QString, cartella);
  QFETCH(QString, separatore);
  const QString destinazione = radice_->filePath(cartella);
  if (cartella == "vecchio")
    scriviInsieme(destinazione, "vecchi dati più lunghi di quelli nuovi");
  else
    QVERIFY(QDir().mkpath(destinazione));

  tre* t = versoTre(destinazione + separatore);
  QVERIFY(t);
  QCOMPARE(cerca<QLabel>(t, "percorso")->text(), destinazione + separatore);
  QVERIFY(procedura_->paginaDue().isHidden());
  clic(t, "Command3");

  QCOMPARE(servizi_->messaggi.size(), 0);
  QCOMPARE(versioni(destinazione, {"dati"}), QStringList(8, "dati"));
  QCOMPARE(versioni(programma_, {"dati"}), QStringList(8, "dati"));
  QStringList attese = kNomi;
  attese.sort();
  QCOMPARE(voci(destinazione), attese);
  QCOMPARE(stato(t), "Label6 Label8 primo secondo terzo quarto quinto sesto | Command2 Command1");
  QCOMPARE(cerca<QLabel>(t, "Label8")->text(), "Backup effettuato con successo");
}

void tst_backupwizard::backupFallito_data() {
  QTest::addColumn<int>("caso");
  QTest::addColumn<QString>("file");
  QTest::addColumn<int>("copiati");  // files of the list copied before the failure
  QTest::addColumn<QString>("blocchi");

  QTest::newRow("manca neve.mdb") << int(Manca) << "neve.mdb" << 0 << "";
  QTest::newRow("manca altrieventi.mdb") << int(Manca) << "altrieventi.mdb" << 2 << "primo";
  QTest::newRow("manca config.cfg") << int(Manca) << "config.cfg" << 4 << "primo secondo terzo";
  QTest::newRow("manca tempmedie.txt")
      << int(Manca) << "tempmedie.txt" << 5 << "primo secondo terzo quarto";
  QTest::newRow("manca prpgiornaliera.txt")
      << int(Manca) << "prpgiornaliera.txt" << 7 << "primo secondo terzo quarto quinto";
  QTest::newRow("disco pieno durante temperature.mdb")
      << int(DiscoPieno) << "temperature.mdb" << 1 << "primo";
  QTest::newRow("disco pieno durante prpanno.txt")
      << int(DiscoPieno) << "prpanno.txt" << 6 << "primo secondo terzo quarto";
  QTest::newRow("destinazione inesistente") << int(CartellaMancante) << "" << 0 << "";
  QTest::newRow("destinazione che è un file") << int(CartellaFile) << "" << 0 << "";
  QTest::newRow("nome troppo lungo") << int(NomeTroppoLungo) << "" << 0 << "";
  QTest::newRow("destinazione di sola lettura") << int(SolaLettura) << "" << 0 << "";
}

void tst_backupwizard::backupFallito() {
  QFETCH(int, caso);
  QFETCH(QString, file);
  QFETCH(int, copiati);
  QFETCH(QString, blocchi);

  // An earlier backup lies in the destination; what is not replaced must
  // stay whole.
  QString destinazione = radice_->filePath("chiavetta");
  scriviInsieme(destinazione, "vecchio");
  if (caso == Manca) QVERIFY(QFile::remove(programma_ + "/" + file));
  if (caso == DiscoPieno) scriviFile(programma_ + "/" + file, QByteArray(512 * 1024, 'g'));
  if (caso == CartellaMancante) destinazione = radice_->filePath("manca");
  if (caso == CartellaFile) destinazione = programma_ + "/config.cfg";
  if (caso == NomeTroppoLungo) destinazione = radice_->filePath(QString(300, 'n'));
  if (caso == SolaLettura) destinazione = "/proc";

  tre* t = versoTre(destinazione);
  QVERIFY(t);
  QString durante;
  servizi_->mentreErrore = [&] { durante = stato(t); };
  {
    std::unique_ptr<FileSizeLimit> limite;
    if (caso == DiscoPieno) limite = std::make_unique<FileSizeLimit>(128 * 1024);
    clic(t, "Command3");
  }

  QCOMPARE(servizi_->messaggi.size(), 1);
  QCOMPARE(servizi_->messaggi[0].pagina, t);
  QCOMPARE(servizi_->messaggi[0].titolo, "Nubilario 3 - Utility di Backup");
  QCOMPARE(servizi_->messaggi[0].testo, kErrore);
  const QString spazio = blocchi.isEmpty() ? "" : " ";
  QCOMPARE(durante, "erroreee Frame2 " + blocchi + spazio + "Command3 | ");
  QCOMPARE(stato(t), "erroreee Frame2 " + blocchi + spazio +
                         "Command3 Command4termina | Command2 Command1 Command4termina");

  // The data folder is never touched by a backup.
  QCOMPARE(versioni(programma_, {"dati"}).count("dati"),
           caso == Manca || caso == DiscoPieno ? 7 : 8);
  if (caso == Manca || caso == DiscoPieno) {
    QStringList attese = QStringList(copiati, "dati") + QStringList(8 - copiati, "vecchio");
    QCOMPARE(versioni(radice_->filePath("chiavetta"), {"dati", "vecchio"}), attese);
  } else {
    QCOMPARE(versioni(radice_->filePath("chiavetta"), {"vecchio"}), QStringList(8, "vecchio"));
    QVERIFY(!QFileInfo::exists(destinazione + "/neve.mdb"));
  }
  QStringList attese = kNomi;
  attese.sort();
  QCOMPARE(voci(radice_->filePath("chiavetta")), attese);
  QVERIFY(!QFileInfo::exists(radice_->filePath("manca")));
}

void tst_backupwizard::ripristinoCompleto() {
  const QString copie = radice_->filePath("copie");
  scriviInsieme(copie, "copia");
  scriviFile(programma_ + "/config.cfg", "una configurazione molto più lunga di quella salvata");

  // The program's folder is the default target.
  clic(&procedura_->paginaForm1(), "Command13");
  quattro& q = procedura_->paginaQuattro();
  servizi_->cartelle << copie + "/";
  clic(&q, "Command3");
  q.Timer1_Timer();
  clic(&q, "Command5");
  cinque* c = procedura_->cinqueCaricata();
  QVERIFY(c);
  QCOMPARE(cerca<QLabel>(c, "DESTINAZIONE")->text(), QDir::toNativeSeparators(programma_));
  clic(c, "Command3");

  QCOMPARE(servizi_->messaggi.size(), 0);
  QCOMPARE(versioni(programma_, {"copia"}), QStringList(8, "copia"));
  QStringList attese = kNomi + QStringList{"copie di sicurezza"};
  attese.sort();
  QCOMPARE(voci(programma_), attese);
  // What was replaced went to a safety copy first.
  const QVector<safetycopy::Copy> sicurezza = copieSicurezza(programma_);
  QCOMPARE(sicurezza.size(), 1);
  QCOMPARE(versioni(sicurezza[0].path, {"dati"}).count("dati"), 7);
  QCOMPARE(bytesOf(sicurezza[0].path + "/config.cfg"),
           "una configurazione molto più lunga di quella salvata");
  QCOMPARE(servizi_->domande.size(), 0);
  QCOMPARE(stato(c),
           "Label6 Label8 primo secondo terzo quarto quinto sesto Command4termina"
           " | Command2 Command1 Command4termina");
  QCOMPARE(cerca<QLabel>(c, "Label8")->text(), "Ripristino dei file effettuato con successo");
}

// The daily history goes out with the rest; a backup made before it existed
// restores the other files and leaves the history in the data folder alone.
void tst_backupwizard::storicoGiornaliero() {
  const QString storico = "/giornaliero.mdb";
  scriviFile(programma_ + storico, dati("dati", "giornaliero.mdb"));
  const QString destinazione = radice_->filePath("chiavetta");
  QVERIFY(QDir().mkpath(destinazione));
  clic(versoTre(destinazione), "Command3");
  QCOMPARE(bytesOf(destinazione + storico), dati("dati", "giornaliero.mdb"));

  const QString vecchie = radice_->filePath("vecchie");
  scriviInsieme(vecchie, "copia");
  clic(versoCinque(vecchie, programma_), "Command3");
  QCOMPARE(servizi_->messaggi.size(), 0);
  QCOMPARE(versioni(programma_, {"copia"}), QStringList(8, "copia"));
  QCOMPARE(bytesOf(programma_ + storico), dati("dati", "giornaliero.mdb"));
}

void tst_backupwizard::ripristinoFallito_data() {
  QTest::addColumn<int>("caso");
  QTest::addColumn<QString>("file");
  QTest::addColumn<int>("copiati");

  QTest::newRow("manca neve.mdb") << int(Manca) << "neve.mdb" << 0;
  QTest::newRow("manca config.cfg") << int(Manca) << "config.cfg" << 4;
  QTest::newRow("manca prpgiornaliera.txt") << int(Manca) << "prpgiornaliera.txt" << 7;
  QTest::newRow("disco pieno durante neve.mdb") << int(DiscoPieno) << "neve.mdb" << 0;
  QTest::newRow("disco pieno durante datipluviometrici.mdb")
      << int(DiscoPieno) << "datipluviometrici.mdb" << 3;
  QTest::newRow("cartella del programma inesistente") << int(CartellaMancante) << "" << 0;
  QTest::newRow("cartella del programma che è un file") << int(CartellaFile) << "" << 0;
  QTest::newRow("cartella del programma di sola lettura") << int(SolaLettura) << "" << 0;
}

void tst_backupwizard::ripristinoFallito() {
  QFETCH(int, caso);
  QFETCH(QString, file);
  QFETCH(int, copiati);

  const QString copie = radice_->filePath("copie");
  scriviInsieme(copie, "copia");
  if (caso == Manca) QVERIFY(QFile::remove(copie + "/" + file));
  if (caso == DiscoPieno) scriviFile(copie + "/" + file, QByteArray(512 * 1024, 'g'));
  QString destinazione = programma_;
  if (caso == CartellaMancante) destinazione = radice_->filePath("manca");
  if (caso == CartellaFile) destinazione = copie + "/config.cfg";
  if (caso == SolaLettura) destinazione = "/proc";

  cinque* c = versoCinque(copie, destinazione);
  QVERIFY(c);
  QString durante;
  servizi_->mentreErrore = [&] { durante = stato(c); };
  {
    std::unique_ptr<FileSizeLimit> limite;
    if (caso == DiscoPieno) limite = std::make_unique<FileSizeLimit>(128 * 1024);
    clic(c, "Command3");
  }

  QCOMPARE(servizi_->messaggi.size(), 1);
  QCOMPARE(servizi_->messaggi[0].pagina, c);
  QCOMPARE(servizi_->messaggi[0].titolo, "Nubilario 3 - Utility di Backup");
  QCOMPARE(servizi_->messaggi[0].testo, kErrore);
  // The bar is cleared before the message, the error texts come after it.
  QCOMPARE(durante, "Command3 | ");
  QCOMPARE(stato(c), "erroreee Frame2 Command3 | Command2 Command1");

  // Restored files stay restored, the others keep their contents whole.
  QStringList attese = QStringList(copiati, "copia") + QStringList(8 - copiati, "dati");
  QCOMPARE(versioni(programma_, {"copia", "dati"}), attese);
  // Over the program's folder a safety copy was made first.
  QStringList nomi = kNomi;
  if (destinazione == programma_) nomi << "copie di sicurezza";
  nomi.sort();
  QCOMPARE(voci(programma_), nomi);
  QVERIFY(!QFileInfo::exists(radice_->filePath("manca")));
  QVERIFY(!QFileInfo::exists("/proc/neve.mdb"));
}

// The safety copies of the program's folder are offered newest first (one
// cut short or lacking a file never); the one picked is restored like any
// backup and outlives the rotation that the restore's own copy starts.
void tst_backupwizard::ripristinoDaCopiaDiSicurezza() {
  const QString copie = programma_ + "/copie di sicurezza";
  for (int giorno = 2; giorno <= 11; ++giorno)
    scriviInsieme(copie + QString("/2020-01-%1 10.15.02").arg(giorno, 2, 10, QChar('0')),
                  giorno == 2 ? "lunedì" : "recente");
  scriviInsieme(copie + "/2020-01-12 08.00.00.incompleta", "interrotta");
  scriviInsieme(copie + "/2020-01-12 09.00.00", "senza configurazione");
  QVERIFY(QFile::remove(copie + "/2020-01-12 09.00.00/config.cfg"));

  clic(&procedura_->paginaForm1(), "Command13");
  quattro& q = procedura_->paginaQuattro();
  servizi_->scelte << 9;
  clic(&q, "copie");
  QCOMPARE(servizi_->elenchi.value(0).size(), 10);
  QCOMPARE(servizi_->elenchi[0].first(), "11 gennaio 2020 alle 10:15:02");
  QCOMPARE(servizi_->elenchi[0].last(), "2 gennaio 2020 alle 10:15:02");
  QCOMPARE(cerca<QLineEdit>(&q, "Text2")->text(), copie + "/2020-01-02 10.15.02");
  q.Timer1_Timer();
  clic(&q, "Command5");
  clic(procedura_->cinqueCaricata(), "Command3");

  QCOMPARE(servizi_->messaggi.size(), 0);
  QCOMPARE(versioni(programma_, {"lunedì"}), QStringList(8, "lunedì"));
  const QVector<safetycopy::Copy> dopo = copieSicurezza(programma_);
  QCOMPARE(versioni(dopo.first().path, {"dati"}), QStringList(8, "dati"));
  QCOMPARE(dopo.last().path, copie + "/2020-01-02 10.15.02");
  QVERIFY(!QFileInfo::exists(copie + "/2020-01-03 10.15.02"));  // the eleventh
  QVERIFY(!QFileInfo::exists(copie + "/2020-01-12 08.00.00.incompleta"));
}

// A safety copy that cannot be made is told before anything is replaced;
// the keeper decides whether the restore goes on.
void tst_backupwizard::copiaDiSicurezzaFallita_data() {
  QTest::addColumn<bool>("comunque");
  QTest::newRow("ripristino comunque") << true;
  QTest::newRow("ripristino annullato") << false;
}

void tst_backupwizard::copiaDiSicurezzaFallita() {
  QFETCH(bool, comunque);
  scriviFile(programma_ + "/copie di sicurezza", "non una cartella");
  const QString copie = radice_->filePath("copie");
  scriviInsieme(copie, "copia");
  cinque* c = versoCinque(copie, programma_);
  QVERIFY(c);
  servizi_->risposte << comunque;
  clic(c, "Command3");
  QCOMPARE(servizi_->domande.size(), 1);
  QCOMPARE(servizi_->domande[0].testo,
           "Impossibile fare la copia di sicurezza dei dati di Nubilario prima del ripristino."
           "\n\nDettaglio: impossibile creare " +
               programma_ + "/copie di sicurezza\n\nRipristinare comunque i file di backup?");
  QCOMPARE(versioni(programma_, {"copia", "dati"}), QStringList(8, comunque ? "copia" : "dati"));
  // Not gone on, the page is ready for another try.
  QCOMPARE(stato(c), comunque ? "Label6 Label8 primo secondo terzo quarto quinto sesto "
                                "Command4termina | Command2 Command1 Command4termina"
                              : "Label5 Command3 | Command3 Command1");
}

// Eleven restores in a row: the safety copy made before the first still
// holds the keeper's data, and the list says which restore each copy came
// before.
void tst_backupwizard::undiciRipristini() {
  const QString copie = radice_->filePath("copie");
  scriviInsieme(copie, "copia");
  for (int i = 0; i < 11; ++i) {
    cinque* c = versoCinque(copie, programma_);
    QVERIFY(c);
    clic(c, "Command3");
    clic(c, "Command2");
  }
  QCOMPARE(servizi_->messaggi.size(), 0);
  const QVector<safetycopy::Copy> sicurezza = copieSicurezza(programma_);
  QCOMPARE(versioni(sicurezza.last().path, {"dati"}), QStringList(8, "dati"));
  clic(&procedura_->paginaForm1(), "Command13");
  clic(&procedura_->paginaQuattro(), "copie");
  const QStringList voci = servizi_->elenchi.value(0);
  QCOMPARE(voci.size(), sicurezza.size());
  for (const QString& voce : voci)
    QVERIFY2(voce.endsWith(", prima del ripristino da " + copie), qPrintable(voce));
}

// A link in the copies' folder named like an old copy: the rotation that
// the restore starts leaves the folder it points to alone.
void tst_backupwizard::collegamentoNelleCopie() {
  const QString altrove = radice_->filePath("altrove/2000-01-01 00.00.00");
  scriviInsieme(altrove, "altrui");
  const QString sicurezza = programma_ + "/copie di sicurezza";
  for (int giorno = 2; giorno <= 12; ++giorno)
    scriviInsieme(sicurezza + QString("/2000-01-%1 10.15.02").arg(giorno, 2, 10, QChar('0')),
                  "vecchia");
  QVERIFY(QFile::link(altrove, sicurezza + "/2000-01-01 00.00.00"));
  const QString copie = radice_->filePath("copie");
  scriviInsieme(copie, "copia");
  clic(versoCinque(copie, programma_), "Command3");
  QCOMPARE(servizi_->messaggi.size(), 0);
  QCOMPARE(versioni(programma_, {"copia"}), QStringList(8, "copia"));
  QCOMPARE(versioni(altrove, {"altrui"}), QStringList(8, "altrui"));
}

QTEST_MAIN(tst_backupwizard)
#include "tst_backupwizard.moc"
