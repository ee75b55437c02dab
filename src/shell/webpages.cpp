#include "shell/webpages.h"

#include <array>

namespace webpages {

namespace {

// The weather centre's site holds the model maps W3 to W8; Nubilario's own
// site holds W12 to W15.
constexpr char kWeatherCentre[] = "http://www.centrometeolombardo.com";
constexpr char kNubilario[] = "http://www.nubilario.it";

struct Entry {
  const char* host;
  const char* path;
};

const std::array<Entry, 15> kPages = {{
    {kWeatherCentre, "/"},                                          // W1
    {"http://www.meteoforum.it", "/"},                              // W2
    {kWeatherCentre, "/carte/Avn/500mb.htm"},                       // W3
    {kWeatherCentre, "/carte/GFS/850mb.htm"},                       // W4
    {kWeatherCentre, "/carte/GFS/precipitazioni.htm"},              // W5
    {kWeatherCentre, "/carte/Ens/ens500mB.htm"},                    // W6
    {kWeatherCentre, "/carte/Ens/ens850mB.htm"},                    // W7
    {kWeatherCentre, "/modelli.asp"},                               // W8
    {"http://www.lamma.toscana.it", "/"},                           // W9
    {"http://www.meteogiornale.it", "/mappe/index.php#spaghetti"},  // W10
    {"http://www.wetterzentrale.de", "/pics/D2u.jpg"},              // W11
    {kNubilario, "/nubilario"},                                     // W12
    {kNubilario, "/forum/viewforum.php?f=6&sid=nubilario"},         // W13
    {kNubilario, "/nubilario/versione3_0.htm"},                     // W14
    {kNubilario, "/"},                                              // W15
}};

}  // namespace

QString address(Page page) {
  const Entry& e = kPages[std::size_t(int(page) - 1)];
  return QLatin1String(e.host) + QLatin1String(e.path);
}

QString authorMail() { return QStringLiteral("autore@nubilario.it"); }

}  // namespace webpages
