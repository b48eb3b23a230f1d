#include "tools/samples/samplebuilder.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "dataserver/dsv.h"
#include "tools/dictc/jsonsupport.h"
#include "tools/dsvdump/dictionaryfiles.h"

namespace {

namespace chr = std::chrono;

chr::year_month_day ToCalendar(PackedDate packed) {
  TCalendarDate date;
  UnpackDate(packed, date);
  return chr::year_month_day{chr::year{date.Year}, chr::month{static_cast<unsigned>(date.Month)},
                             chr::day{static_cast<unsigned>(date.Day)}};
}

PackedDate FromCalendar(const chr::year_month_day& d) {
  return PackDate(static_cast<int>(d.year()), static_cast<int>(static_cast<unsigned>(d.month())),
                  static_cast<int>(static_cast<unsigned>(d.day())));
}

// Moves by whole months; a day the target month lacks becomes its last day.
chr::year_month_day AddMonths(const chr::year_month_day& d, int months) {
  chr::year_month_day moved = d + chr::months{months};
  if (!moved.ok())
    moved = chr::year_month_day_last{moved.year(), chr::month_day_last{moved.month()}};
  return moved;
}

class TSampleBuilder {
 public:
  TSampleBuilder(const std::string& file, const TDictionaryView& dictionary, PackedDate today)
      : file_(file), dictionary_(dictionary), today_(today) {}

  void Build(const std::string& pcdFile) {
    TJson root = LoadJsonFile(file_);
    TJsonPlace top{file_, ""};
    RequireObject(top, root);
    CheckKeys(top, root, {"title", "description", "objects"});
    ReadText(top.Key("title"), RequireMember(top, root, "title"));
    DsvClearAll();
    const TJson& objects = RequireArray(top.Key("objects"), RequireMember(top, root, "objects"));
    for (std::size_t i = 0; i < objects.size(); ++i)
      SetObject(top.Key("objects").Index(i), objects[i]);
    std::error_code ignored;
    std::filesystem::remove(pcdFile, ignored);  // a fresh file, not a section added to an old one
    DsvSaveSection(pcdFile.c_str(), kSampleSection);
    if (!std::filesystem::exists(pcdFile))
      throw ECompileError(pcdFile, "", "the quotation file was not written");
  }

 private:
  void SetObject(const TJsonPlace& place, const TJson& object) {
    RequireObject(place, object);
    CheckKeys(place, object, {"at", "values"});
    const TJson& at = RequireArray(place.Key("at"), RequireMember(place, object, "at"));
    std::vector<TPathEntry> path;
    for (std::size_t i = 0; i < at.size(); ++i) {
      TJsonPlace step = place.Key("at").Index(i);
      if (!at[i].is_array() || at[i].size() != 2)
        step.Fail("expected [object identifier, occurrence]");
      std::int32_t objectId = ReadIdentifier(step.Index(0), at[i][0]);
      if (objectId > 0xFFFF)
        step.Index(0).Fail("object identifiers are below 0x10000");
      auto index = static_cast<std::uint16_t>(ReadInteger(step.Index(1), at[i][1], 0, 0xFFFF));
      path.push_back(TPathEntry{static_cast<std::uint16_t>(objectId), 0, index});
    }
    const TJson& values =
        RequireObject(place.Key("values"), RequireMember(place, object, "values"));
    for (const auto& [key, value] : values.items()) {
      if (key == "comment" || (!key.empty() && key[0] == '_'))
        continue;
      SetValue(place.Key("values").Key(key), key, value, path);
    }
  }

  void SetValue(const TJsonPlace& place, const std::string& key, const TJson& value,
                const std::vector<TPathEntry>& path) {
    std::int32_t id = ReadIdentifier(place, TJson(key));
    auto type = dictionary_.Types.find(id);
    if (type == dictionary_.Types.end())
      place.Fail("unknown property " + ShortHexIdentifier(id));
    char buffer[256] = {};
    switch (type->second) {
      case 1: {
        if (!value.is_number())
          place.Fail("numeric property " + ShortHexIdentifier(id) + " needs a number");
        double number = value.get<double>();
        std::memcpy(buffer, &number, sizeof number);
        break;
      }
      case 2: {
        std::string text = ReadText(place, value);
        std::memcpy(buffer, text.data(), text.size());
        break;
      }
      case 3: {
        PackedDate date = 0;
        if (!value.is_string() || !ParseSampleDate(value.get<std::string>(), today_, date))
          place.Fail("date property " + ShortHexIdentifier(id) +
                     " needs \"dd/mm/yyyy\" or \"today\" with steps such as \"-19y\"");
        std::memcpy(buffer, &date, sizeof date);
        break;
      }
      case 4: {
        auto code = static_cast<std::int32_t>(ReadInteger(place, value, INT32_MIN, INT32_MAX));
        std::int32_t ordinal = 0;
        if (DsvQueryEnumEntry(id, code, nullptr, &ordinal, nullptr) != 0)
          place.Fail("code " + std::to_string(code) + " is not in the list of " +
                     ShortHexIdentifier(id));
        std::memcpy(buffer, &code, sizeof code);
        break;
      }
      default:
        place.Fail(ShortHexIdentifier(id) + " is an object and holds no value");
    }
    DsvStatus status = DsvSetValue(id, static_cast<std::int16_t>(path.size()), path.data(), buffer);
    if (status != 0)
      place.Fail("the Data Server refused " + ShortHexIdentifier(id) + " on this path (status " +
                 std::to_string(status) + ")");
  }

  std::string file_;
  const TDictionaryView& dictionary_;
  PackedDate today_;
};

}  // namespace

bool ParseSampleDate(const std::string& text, PackedDate today, PackedDate& result) {
  int day = 0, month = 0, year = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%2d/%2d/%4d%c", &day, &month, &year, &tail) == 3) {
    if (!IsValidCalendarDate(year, month, day))
      return false;
    result = PackDate(year, month, day);
    return true;
  }
  if (text.compare(0, 5, "today") != 0)
    return false;
  chr::year_month_day date = ToCalendar(today);
  std::size_t at = 5;
  while (at < text.size()) {
    char sign = text[at];
    std::size_t digitsEnd = at + 1;
    while (digitsEnd < text.size() && text[digitsEnd] >= '0' && text[digitsEnd] <= '9')
      ++digitsEnd;
    if ((sign != '-' && sign != '+') || digitsEnd == at + 1 || digitsEnd >= text.size() ||
        digitsEnd - at > 5)
      return false;
    int amount = std::stoi(text.substr(at + 1, digitsEnd - at - 1)) * (sign == '-' ? -1 : 1);
    switch (text[digitsEnd]) {
      case 'y':
        date = AddMonths(date, 12 * amount);
        break;
      case 'm':
        date = AddMonths(date, amount);
        break;
      case 'd':
        date = chr::year_month_day{chr::sys_days{date} + chr::days{amount}};
        break;
      default:
        return false;
    }
    at = digitsEnd + 1;
  }
  result = FromCalendar(date);
  return true;
}

void BuildSample(const std::string& jsonFile, const TDictionaryView& dictionary,
                 const std::string& pcdFile, PackedDate today) {
  TSampleBuilder(jsonFile, dictionary, today).Build(pcdFile);
}
