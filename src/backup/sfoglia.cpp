#include "sfoglia.h"

#include "servizi.h"

#include <QLineEdit>

void sfogliaCartella(Servizi& servizi, QWidget* pagina, QLineEdit* campo) {
  const auto scelta = servizi.sfogliaCartella(pagina, QString::fromUtf8(kRichiestaCartella));
  if (scelta) campo->setText(*scelta);
}
