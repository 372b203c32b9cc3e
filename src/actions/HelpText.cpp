#include "HelpText.h"

#include <array>

namespace zorvex {

namespace {
// A format change made before a line; it holds for the lines after it too.
enum class Change { None, Red, Blue, Bullets, Plain };

struct Entry {
  Change change;
  const char *english;
  const char *french;
};

const std::array<Entry, 34> kLines{{
    {Change::None, "", ""},
    {Change::Red, "============ BASIC USE ==============", "============ UTILISATION DE BASE =============="},
    {Change::None, "", ""},
    {Change::None, "1/  Select the starting directory",
     "1/  Selectionner le répertoire de départ pour la recherche des doublons"},
    {Change::None, "2/  Check \"Recurse directories\" if they need to be scanned",
     "2/  Cocher \"Sous-répertoires\" si ceux-ci doivent être balayés"},
    {Change::None, "3/  Push the \"GO\" button", "3/  Appuyer sur le bouton \"GO\""},
    {Change::None,
     "4/  The sweeping will occur in three steps : Calculation of the global size, calculation of the CRC for each "
     "file, identification of doubles",
     "4/  Le balayage s'execute en trois temps : Calcul de la taille totale, calcul des CRC des fichiers balayés, "
     "identification des doublons"},
    {Change::None, "5/  If doubles are detected, each of them can be selected in order to :",
     "5/  Si des doublons sont détectés, il est possible de selectionner successivement chacun des doublons pour :"},
    {Change::Bullets, "Open the files using the existing Windows association",
     "Ouvrir les fichiers concernés en utilisant l'association Windows déclarée dans le P.C."},
    {Change::None, "Send one of the two files of the double into the Recycle bin",
     "Envoyer à la corbeille un des deux fichiers du doublon"},
    {Change::Plain, "", ""},
    {Change::None, "Also possible :", "Il est également possible :"},
    {Change::Bullets,
     "Sort the list of founded doubles by clicking on the caption of one of the columns of the lower datagrid",
     "De trier la liste des doublons trouvés en cliquant sur une des têtes de colonne de la grille inférieure"},
    {Change::None, "Print the list of founded doubles", "D'imprimer la liste des doublons trouvés"},
    {Change::None, "Save the list of founded doubles in a Delimited Ascii file, which can be opened into Excel",
     "D'enregistrer la liste des doublons trouvés dans un fichier Ascii délimité, lequel pourra être ouvert dans "
     "Excel"},
    {Change::Plain, "", ""},
    {Change::None, "", ""},
    {Change::Blue, "============ OTHER OPTIONS ==============", "============ OPTIONS SUPPLEMENTAIRES =============="},
    {Change::None, "", ""},
    {Change::None, "The following options are available :", "Les options suivantes sont disponibles :"},
    {Change::Bullets,
     "Indicate a min and/or a max for the size of files to scan.  The bigger the file, the longer the computation "
     "time of the CRC.",
     "Indiquer un mini et/ou un maxi pour la taille des fichiers à verifier.  Plus le fichier est gros, plus le calcul "
     "du CRC est long."},
    {Change::None, "Indicate a type of files to scan, for instance \"*.html\"",
     "Indiquer un filtre pour le type de fichiers à verifier, par exemple \"*.html\""},
    {Change::None, "Indicate a type of files to exclude from the scanning, for instance \"*.sys\"",
     "Indiquer un type de fichiers à exclure de la verification, par exemple \"*.sys\""},
    {Change::None, "Chose another skin (10 skins available)", "Choisir une présentation (10 skins disponibles)"},
    {Change::None, "", ""},
    {Change::Plain,
     "===================================================", "==================================================="},
    {Change::None, "", ""},
    {Change::None, "", ""},
    {Change::None, "", ""},
    {Change::None, "", ""},
    {Change::None, "The most recent version can be downloaded here : ", "Téléchargement de la dernière version : "},
    {Change::None, "Suggestions or feedbacks : ", "Forum d'aide : "},
    {Change::None, "", ""},
    {Change::None,
     "===================================================", "==================================================="},
}};

// Lines 31 and 32 end with a web address.
constexpr size_t kDownloadLine = 30;
constexpr size_t kForumLine = 31;
} // namespace

std::vector<HelpLine> HelpLines(bool french) {
  std::vector<HelpLine> lines;
  lines.reserve(kLines.size());
  HelpLine format; // black, plain, no bullet, indent 2
  for (size_t i = 0; i < kLines.size(); ++i) {
    switch (kLines[i].change) {
    case Change::None: break;
    case Change::Red:
      format.bold = true;
      format.color = kHelpRed;
      break;
    case Change::Blue:
      format.bold = true;
      format.color = kHelpBlue;
      break;
    case Change::Bullets:
      format.bullet = true;
      format.firstIndent = 20;
      break;
    case Change::Plain:
      format.bullet = false;
      format.firstIndent = 2;
      break;
    }
    HelpLine line = format;
    line.text = french ? kLines[i].french : kLines[i].english;
    if (i == kDownloadLine)
      line.text += kDownloadAddress;
    else if (i == kForumLine)
      line.text += kForumAddress;
    lines.push_back(std::move(line));
  }
  return lines;
}

std::string HelpCaption(bool french) {
  return french ? " Utilisation de Zorvex V1.1" : " Instructions for use Zorvex V1.1";
}

} // namespace zorvex
