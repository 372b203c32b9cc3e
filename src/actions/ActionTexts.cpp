#include "ActionTexts.h"

#include <array>

#include "framework/core/Texts.h"

namespace zorvex {

namespace {
// Replaces the first "%s" by the text as it stands: a path may hold '%'.
std::string WithPath(std::string_view pattern, const std::string &path) {
  std::string out(pattern);
  const size_t at = out.find("%s");
  if (at != std::string::npos)
    out.replace(at, 2, path);
  return out;
}

struct OpenError {
  int result;
  const char *english;
  const char *french;
};

const std::array<OpenError, 13> kOpenErrors{{
    {0, "Sorry, but the computer is short of memory", "Désolé, mais l'ordinateur est à court de mémoire"},
    {2, "Sorry, but the following object :\n\n %s \n\n cannot be opened with the current configuration.",
     "Désolé, mais le programme ou l'objet suivant :\n\" %s \"\n ne peut pas être ouvert dans la configuration "
     "actuelle.\n\nVEUILLEZ DÉCLARER DANS WINDOWS \nUNE ASSOCIATION POUR CETTE EXTENSION !"},
    {3, "Unknown path", "Chemin introuvable"},
    {5, "Forbidden access to file %s", "Accés refusé au fichier %s"},
    {8, "Not enough memory to finish this opération", "Mémoire insuffisante pour terminer l'opération"},
    {11, "File %s is not valid", "Le fichier %s est invalide"},
    {26, "Sharing violation", "Erreur de partage"},
    {27, "File %s  as an invalid Windows association.\n\nPLEASE CORRECT IT",
     "Le fichier %s  a une association Windows incorrecte.\n\nVEUILLEZ FAIRE\n \"Poste de travail->Outils->Option "
     "des dossiers->Types de fichiers->Modifier\" !"},
    {28, "Sorry, DDE transaction failure (Time-out)", "Désolé, mais la transaction DDE a échoué (Time-out)"},
    {29, "Sorry, DDE transaction failure", "Désolé, mais la transaction DDE a échoué"},
    {30, "Sorry, another DDE transaction is already active", "Désolé, mais une autre transaction DDE est en cours"},
    {31, "File %s  has no Windows association indicated.\n\nPLEASE INDICATE ONE",
     "Le fichier %s  n'a pas d'association Windows.\n\nVEUILLEZ FAIRE\n \"Poste de travail->Outils->Option des "
     "dossiers->Types de fichiers->Nouveau\" !"},
    {32, "Sorry, missing DLL", "Désolé, DLL manquante"},
}};
} // namespace

std::string SuppressedMarkerText(bool french) { return french ? "** Fichier supprimé **" : "** File suppressed **"; }

std::string RecycleAllMarkerText(bool french) { return french ? "Fichier supprimé" : "File suppressed"; }

bool IsMarkerText(std::string_view text) {
  return text == SuppressedMarkerText(false) || text == SuppressedMarkerText(true) ||
         text == RecycleAllMarkerText(false) || text == RecycleAllMarkerText(true);
}

std::string RecycleOneConfirmText(const std::string &path, bool french) {
  return std::string(french ? "ATTENTION !!! Le fichier" : "WARNING !!! The file") + "\n\"" + path + "\" \n" +
         (french ? "va être envoyé à la corbeille" : "will be sent to the recycle bin");
}

std::string RecycleAllConfirmText(bool french) {
  return french ? "ATTENTION !!! Tous les fichiers de la colonne \"DOUBLON TROUVÉ\" \nvont être envoyés à la corbeille"
                : "WARNING !!! All files listed in the column \"DOUBLE FOUND\"\nwill be sent to the recycle bin";
}

std::string RecycleNotFoundText(PairSide side, bool french) {
  const char *code = side == PairSide::First ? "32" : "33";
  return std::string(french ? "Fichier non trouvée, erreur " : "File not found, error ") + code;
}

std::string RecycleChangedText(const std::string &path, bool french) {
  return WithPath(french ? "Le fichier\n\"%s\"\na changé depuis la recherche : il n'est plus identique à l'autre "
                           "fichier de la paire.\n\nIl n'a pas été envoyé à la corbeille."
                         : "The file\n\"%s\"\nhas changed since the scan: it is no longer identical to the other "
                           "file of the pair.\n\nIt was not sent to the recycle bin.",
                  path);
}

std::string RecycleUncheckedText(const std::string &path, bool french) {
  return WithPath(french ? "Le fichier\n\"%s\"\nn'a pas pu être comparé à l'autre fichier de la paire (l'un des deux "
                           "est illisible).\n\nIl n'a pas été envoyé à la corbeille."
                         : "The file\n\"%s\"\ncould not be compared with the other file of the pair (one of them "
                           "cannot be read).\n\nIt was not sent to the recycle bin.",
                  path);
}

std::string RecycleSameFileText(const std::string &path, bool french) {
  return WithPath(french ? "Le fichier\n\"%s\"\net l'autre fichier de la paire sont deux noms d'un seul et même "
                           "fichier : envoyer l'un des noms à la corbeille ne libère aucune place.\n\nIl n'a pas été "
                           "envoyé à la corbeille."
                         : "The file\n\"%s\"\nand the other file of the pair are two names of one and the same file: "
                           "sending one name to the recycle bin frees no space.\n\nIt was not sent to the recycle bin.",
                  path);
}

std::string RecycledCountText(int count, const KeptCounts &kept, bool french) {
  std::string text =
      (french ? "Nombre de fichiers envoyés dans la corbeille : " : "Number of files sent in the recycle bin : ") +
      IntToStr(count);
  const struct {
    int count;
    const char *english;
    const char *french;
  } reasons[] = {
      {kept.changed,
       "Files kept because they changed since the scan : ", "Fichiers gardés car modifiés depuis la recherche : "},
      {kept.unchecked,
       "Files kept because they could not be compared : ", "Fichiers gardés car impossibles à comparer : "},
      {kept.sameFile, "Files kept because they are another name of the file kept : ",
       "Fichiers gardés car autre nom du fichier gardé : "},
  };
  bool first = true;
  for (const auto &reason : reasons) {
    if (reason.count == 0)
      continue;
    text += first ? "\n\n" : "\n";
    first = false;
    text += (french ? reason.french : reason.english) + IntToStr(reason.count);
  }
  return text;
}

std::string SizeCaption(int64_t size) { return IntToStr(size) + "  Bytes"; }

std::string OpenErrorText(int result, const std::string &path, PairSide side, bool french) {
  for (const OpenError &error : kOpenErrors)
    if (error.result == result)
      return WithPath(french ? error.french : error.english, path);
  const char *code = side == PairSide::First ? "789" : "790";
  return std::string(french ? "Erreur Switch " : "Switch error ") + code;
}

std::string OverwriteText(const std::string &path, bool french) {
  return french ? "Le fichier " + path + "\nexiste déja\n\nLe remplacer ?"
                : "The file " + path + "\nalready exists\n\nOverwrite?";
}

std::string SavedText(const std::string &path, int doubleCount, int replacedRows, bool french) {
  std::string text = french ? "Fichier  \"" + path + "\"   créé\n\nIl liste " + IntToStr(doubleCount) + " doublons"
                            : "File  \"" + path + "\"   created\n\nIt lists  " + IntToStr(doubleCount) + " doubles";
  if (replacedRows > 0)
    text += french ? "\n\n" + IntToStr(replacedRows) +
                         " ligne(s) contiennent des noms que la page de code ANSI ne peut pas écrire : les caractères "
                         "manquants y sont écrits \"?\"."
                   : "\n\n" + IntToStr(replacedRows) +
                         " row(s) hold names the ANSI code page cannot write: the missing characters are written "
                         "there as \"?\".";
  return text;
}

std::string SaveFailedText(const std::string &path, bool french) {
  return WithPath(french ? "Le fichier\n\"%s\"\nn'a pas pu être écrit en entier ; il a été effacé.\n\nLa liste n'est "
                           "pas enregistrée."
                         : "The file\n\"%s\"\ncould not be written completely; it has been removed.\n\nThe list is "
                           "not saved.",
                  path);
}

} // namespace zorvex
