#include "core/compiler/script_generator.h"

#include <cctype>
#include <random>
#include <vector>

namespace scriptdesk::test {
namespace {

class Generator {
 public:
  explicit Generator(std::uint32_t seed) : random_(seed) {}

  std::map<std::string, std::string> Folder() {
    for (int i = 0; i < 12; ++i) names_.push_back(Words());
    std::string script;
    Extensions(script, "[PSXExtensions]");
    Extensions(script, "[PCExtensions]");
    Languages(script);
    Options(script);
    std::vector<std::string> records;
    const int levels = Pick(0, 6);
    for (int i = 0; i < levels; ++i) records.push_back(Record(false));
    const bool title = Chance(85);
    // The title may stand before, between or after the levels.
    const auto at = static_cast<std::size_t>(Pick(0, levels));
    if (title) records.insert(records.begin() + static_cast<long>(at), Record(true));
    for (const auto& record : records) script += record;
    if (levels == 0 && demoDisc_) script += "[Level]\r\n" + Line("Name", Name());

    std::map<std::string, std::string> files = {{"script.txt", Lines(script)},
                                                {"ENGLISH.TXT", Lines(Language(true))}};
    if (french_) files["FRENCH.TXT"] = Lines(Language(false));
    return files;
  }

 private:
  int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  bool Chance(int percent) { return Pick(1, 100) <= percent; }
  template <typename T>
  const T& OneOf(const std::vector<T>& items) {
    return items[static_cast<std::size_t>(Pick(0, static_cast<int>(items.size()) - 1))];
  }

  std::string Lines(const std::string& text) {
    if (!Chance(20)) return text;
    std::string lf;  // LF-only files read the same
    for (char c : text) {
      if (c != '\r') lf += c;
    }
    return lf;
  }

  std::string KeyWord(const std::string& key) {
    std::string word = key;
    if (Chance(15)) {
      for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return word + (Chance(90) ? "=" : "=X");  // the key word is matched by its start
  }
  std::string Line(const std::string& key, const std::string& value) {
    // Blanks before a text value would be part of it, so a comment follows it at once.
    std::string line = KeyWord(key) + OneOf<std::string>({"\t", " ", "\t\t", " \t"}) + value;
    if (Chance(10)) line += ";a comment";
    return line + "\r\n";
  }

  std::string Word(int low, int high) {
    static const std::string letters = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    std::string word;
    const int length = Pick(low, high);
    for (int i = 0; i < length; ++i) word += letters[static_cast<std::size_t>(Pick(0, 51))];
    return word;
  }
  // No comma: an item name ends at one. A word joined by "'" stays one word for the game's
  // compiler, which hangs on a first word of 26 letters, so joined words stay short.
  std::string Words() {
    std::string text = Word(1, 9);
    std::size_t word = text.size();
    for (int i = Pick(0, 3); i > 0; --i) {
      const std::string next = Word(1, 8);
      const bool join = word + next.size() < 25 && Chance(30);
      text += (join ? "'" : OneOf<std::string>({" ", "-"})) + next;
      word = join ? word + next.size() : next.size();
    }
    return text;
  }

  std::string Number() {
    switch (Pick(0, 7)) {
      case 0:
        return std::to_string(Pick(-300, 300));
      case 1:
        return std::to_string(Pick(0, 9));
      case 2:
        return "$" + std::string(1, "0123456789abcdefABCDEF"[Pick(0, 21)]) +
               std::string(1, "0123456789ABCDEF"[Pick(0, 15)]);
      case 3:
        return std::to_string(static_cast<std::int64_t>(Pick(-2000000000, 2000000000)) * 2);
      case 4:
        return "+" + std::to_string(Pick(0, 70000));
      case 5:
        return "$" + std::to_string(Pick(0, 99999));
      case 6:
        return std::to_string(Pick(0, 255)) + OneOf<std::string>({"", "x", ".5"});
      default:
        return std::to_string(Pick(-70000, 70000));
    }
  }
  std::string Numbers(int count) {
    std::string text;
    for (int i = 0; i < count; ++i) {
      if (i > 0) text += OneOf<std::string>({",", ", ", " ", ",\t", " , ", ",,"});
      text += Number();
    }
    if (Chance(10)) text += "," + Number();  // extra numbers are ignored
    return text;
  }
  std::string Enabled() {
    return OneOf<std::string>({"ENABLED", "enabled", "DISABLED", "Enabled  ", "TRUE", "ENABLEDX"});
  }

  void Extensions(std::string& script, const std::string& header) {
    if (Chance(10)) return;
    script += header + "\r\n";
    for (const char* key : {"Level", "Cut", "FMV"}) {
      if (Chance(90)) script += Line(key, OneOf<std::string>({".", ""}) + Word(1, 7));
    }
    if (Chance(5)) script += header + "\r\n" + Line("Cut", "." + Word(3, 3));
  }

  void Languages(std::string& script) {
    french_ = Chance(40);
    script += "[Language]\r\n" +
              Line("File", "0," + std::string(Chance(50) ? "ENGLISH.TXT" : "english.txt"));
    if (french_) script += Line("File", std::to_string(Pick(1, 7)) + ", FRENCH.TXT");
    if (Chance(30)) script += Line("File", std::to_string(Pick(1, 7)) + ",GERMAN.TXT");
    if (Chance(10)) script += Line("File", "-1,ITALIAN.TXT");
  }

  void Options(std::string& script) {
    if (Chance(10)) return;
    script += "[Options]\r\n";
    for (const char* key : {"LoadSave", "Title", "PlayAnyLevel", "FlyCheat", "DemoDisc"}) {
      if (!Chance(80)) continue;
      std::string value = Enabled();
      if (std::string(key) == "DemoDisc") {
        value = Chance(15) ? "ENABLED" : "DISABLED";
        demoDisc_ = value == "ENABLED";
      }
      script += Line(key, value);
    }
    if (Chance(80)) script += Line("InputTimeout", Number());
    if (Chance(80)) script += Line("Security", Number());
    if (Chance(5)) script += "[Options]\r\n" + Line("Security", Number());
  }

  // The names this record looks up, so the language file holds them.
  std::string Name() {
    const std::string& name = OneOf(names_);
    used_.push_back(name);
    return name;
  }

  std::string Effect() {
    switch (Pick(0, 17)) {
      case 0:
        return Line(OneOf<std::string>({"YoungLara", "Weather", "Horizon", "Starfield", "Lightning",
                                        "Train", "Pulse", "ColAddHorizon", "Timer"}),
                    Enabled());
      case 1:
        return Line(OneOf<std::string>({"RemoveAmulet", "NoLevel"}), Enabled());
      case 2:
        return Line(OneOf<std::string>({"Layer1", "Layer2"}), Numbers(4));
      case 3:
        return Line("Mirror", Numbers(2));
      case 4:
        return Line("LensFlare", Numbers(6));
      case 5:
        return Line("ResetHUB", Numbers(1));
      case 6:
        return Line("UVRotate", Numbers(1));
      case 7:
        return Line("Fog", Numbers(3));
      case 8:
        return Line("Cut", Numbers(1));
      case 9:
        return Line("ResidentCut", std::to_string(Pick(1, 5)) + "," + Number());
      case 10:
        return Line("AnimatingMIP", std::to_string(Pick(1, 16)) + "," + Number());
      case 11:
        return Line("LoadCamera", Numbers(7));
      case 12:
        return Line("Legend", OneOf<std::string>({"", "\t"}) + Name());
      case 13: {
        static const std::vector<std::pair<std::string, int>> items = {
            {"Key", 12}, {"Puzzle", 12}, {"Pickup", 4}, {"Examine", 3}};
        const auto& [key, count] = OneOf(items);
        return Line(key, std::to_string(Pick(1, count)) + OneOf<std::string>({",", ",\t", " ,"}) +
                             Name() + "," + Numbers(6));
      }
      case 14: {
        static const std::vector<std::pair<std::string, int>> combos = {
            {"KeyCombo", 8}, {"PuzzleCombo", 8}, {"PickupCombo", 4}};
        const auto& [key, count] = OneOf(combos);
        return Line(key, std::to_string(Pick(1, count)) + "," + std::to_string(Pick(1, 2)) + "," +
                             Name() + "," + Numbers(6));
      }
      case 15:
        return Line("FMV", Numbers(2));
      case 16:
        return OneOf<std::string>({"Foo= 1\r\n", "#INCLUDE \"x.txt\"\r\n", "[Foo]\r\n", "\r\n",
                                   "; only a comment\r\n", "Customize= 1,2\r\n"});
      default:
        return Line("Name", Name());
    }
  }

  std::string Record(bool title) {
    std::string text = title ? "[Title]\r\n" : "[Level]\r\n";
    if (!title || Chance(20)) text += Line("Name", Name());
    const int levelLines = title ? 1 : (Chance(10) ? 0 : (Chance(15) ? 2 : 1));
    for (int entry = 0; entry < levelLines; ++entry) {
      for (int i = Pick(0, 8); i > 0; --i) text += Effect();
      const std::string path = OneOf<std::string>({"DATA\\", "data\\", "Data/", "  DATA\\"}) +
                               (Chance(30) ? "SAME" : Word(1, 8)) + (Chance(10) ? " " : "");
      text += Line("Level", path + "," + Number());
    }
    for (int i = Pick(0, 2); i > 0; --i) text += Effect();  // after the last Level= line
    return text;
  }

  std::string String() {
    switch (Pick(0, 6)) {
      case 0:
        return "LBL" + std::to_string(Pick(0, 99)) + ":" + Words() + ", " + Word(1, 4);
      case 1:
        return Words() + "\\n" + Word(1, 5);
      case 2:
        return Word(1, 5) + "\\x" + std::string(1, "0123456789ABCDEFabcdef"[Pick(0, 21)]) +
               std::string(1, "0123456789ABCDEF"[Pick(0, 15)]) + " " + Word(1, 5);
      case 3:
        return "\t" + Words() + (Chance(50) ? "\t" : "  ");
      case 4:
        return "  " + Words() + "\tlost";
      case 5:
        return Words() + " \xE9\xE8\xA5";
      default:
        return Words();
    }
  }

  std::string Group(const char* header, int count) {
    std::string text = std::string(header) + "\r\n";
    for (int i = 0; i < count; ++i) text += String() + "\r\n";
    return text;
  }

  std::string Language(bool reference) {
    std::string text = Chance(20) ? "; strings\r\nbefore any header\r\n" : "";
    std::string generic = Group("[Strings]", Pick(0, 4));
    if (reference) {
      for (const auto& name : used_) generic += name + "\r\n";
      generic += Group("", Pick(0, 3)).substr(2);
    }
    const std::string psx = Group("[PSXStrings]", Pick(0, 3));
    const std::string pc = Group(Chance(50) ? "[PCStrings]" : "[pcstrings]", Pick(0, 3));
    text += Chance(80) ? generic + psx + pc : pc + generic + psx;
    if (Chance(10)) text += "\r\n\r\n   \r\n";
    return text;
  }

  std::mt19937 random_;
  std::vector<std::string> names_, used_;
  bool french_ = false;
  bool demoDisc_ = false;
};

}  // namespace

std::map<std::string, std::string> GenerateScriptFolder(std::uint32_t seed) {
  return Generator(seed).Folder();
}

}  // namespace scriptdesk::test
