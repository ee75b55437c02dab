#pragma once
// The web pages that the menus, the Options dialog and the about box open, in
// one table: the host of each site and the fixed path on it.

#include <QString>

namespace webpages {

// W1 to W15.
enum class Page {
  W1 = 1,  // home page of the regional weather centre (the "CML")
  W2,      // home page of a weather discussion forum
  W3,      // GFS map, 500 hPa geopotential and temperature
  W4,      // GFS map, 850 hPa geopotential and temperature
  W5,      // GFS precipitation map
  W6,      // ensemble map, 500 hPa geopotential
  W7,      // ensemble map, 850 hPa temperature
  W8,      // further model maps
  W9,      // limited-area-model maps
  W10,     // ensemble "spaghetti" plots
  W11,     // current satellite image of Europe
  W12,     // Nubilario's home page
  W13,     // Nubilario's forum
  W14,     // Nubilario's page about the current version and its updates
  W15,     // the author's home page
};

// The full address of a page.
QString address(Page page);

// The author's e-mail address shown (and written to) by the about box.
QString authorMail();

}  // namespace webpages
