#include "app/config_documents.h"

#include <json/json.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <memory>

#include "app/utf8_text.h"
#include "app/web_url.h"

namespace tessaro {
namespace {

// Parses `body` as one JSON object. jsoncpp reports nesting beyond the stack limit (and some other
// faults) by throwing; both ways of failing end here as false.
bool ParseObject(const std::string& body, Json::Value* root) {
  if (body.empty()) return false;
  Json::CharReaderBuilder builder;
  builder["stackLimit"] = kMaxDocumentDepth;
  builder["failIfExtra"] = true;  // Text after the document means it is not the document we asked for.
  const std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
  try {
    return reader->parse(body.data(), body.data() + body.size(), root, nullptr) && root->isObject();
  } catch (const std::exception&) {
    return false;
  }
}

// Reads members of parsed values by name, checking their kinds; the first member of a wrong kind
// makes the whole reading fail (ok() false), and such a member reads as empty.
class MemberReader {
 public:
  bool ok() const { return ok_; }

  // An object member; absent or null gives the null value (whose members are all absent).
  const Json::Value& Object(const Json::Value& parent, const char* name) {
    return Checked(Member(parent, name), Json::objectValue);
  }
  // An array element that must be an object (or null).
  const Json::Value& ObjectAt(const Json::Value& array, Json::ArrayIndex index) {
    return Checked(array[index], Json::objectValue);
  }
  const Json::Value& Array(const Json::Value& parent, const char* name) {
    return Checked(Member(parent, name), Json::arrayValue);
  }
  bool Flag(const Json::Value& parent, const char* name) {
    return Checked(Member(parent, name), Json::booleanValue).asBool();
  }
  // Text, or a number or boolean as its text.
  std::wstring Text(const Json::Value& parent, const char* name) {
    const Json::Value& value = Member(parent, name);
    if (value.isNull()) return std::wstring();
    if (value.isObject() || value.isArray()) {
      Fail();
      return std::wstring();
    }
    return WideFromUtf8(value.asString());
  }
  // Text that must be a web URL; any other URL reads as "".
  std::wstring Url(const Json::Value& parent, const char* name) {
    std::wstring url = Text(parent, name);
    return IsWebUrl(url) ? url : std::wstring();
  }
  // True for an absent `code` or one that is the integer 0.
  bool Succeeded(const Json::Value& root) {
    const Json::Value& code = Member(root, "code");
    if (code.isNull()) return true;
    if (!code.isIntegral()) {
      Fail();
      return false;
    }
    return code.isInt64() && code.asInt64() == 0;
  }

 private:
  static const Json::Value& Member(const Json::Value& parent, const char* name) {
    const Json::Value* member = parent.isObject() ? parent.find(name, name + strlen(name)) : nullptr;
    return member ? *member : Json::Value::nullSingleton();
  }
  const Json::Value& Checked(const Json::Value& value, Json::ValueType kind) {
    if (value.isNull() || value.type() == kind) return value;
    Fail();
    return Json::Value::nullSingleton();
  }
  void Fail() { ok_ = false; }

  bool ok_ = true;
};

CardConfig ReadCard(MemberReader& reader, const Json::Value& main, int number) {
  const Json::Value& card = reader.Object(main, ("card" + std::to_string(number)).c_str());
  CardConfig config;
  config.title = reader.Text(card, "title");
  if (number == 1) config.description = reader.Text(card, "desc");
  config.url = reader.Url(card, "url");
  config.image = reader.Url(card, "image");
  return config;
}

std::vector<NavigationLink> ReadNavigation(MemberReader& reader, const Json::Value& data) {
  const Json::Value& bar = reader.Array(data, "navBar");
  std::vector<NavigationLink> links;
  const Json::ArrayIndex count = std::min<Json::ArrayIndex>(bar.size(), kMaxNavigationLinks);
  for (Json::ArrayIndex index = 0; index < count; ++index) {
    const Json::Value& element = reader.ObjectAt(bar, index);
    NavigationLink link{reader.Text(element, "name"), reader.Url(element, "url")};
    if (!link.url.empty()) links.push_back(link);
  }
  return links;
}

GlobalConfig ReadGlobal(MemberReader& reader, const Json::Value& root) {
  const Json::Value& data = reader.Object(root, "data");
  const Json::Value& main = reader.Object(data, "main");
  GlobalConfig config;
  config.whole_background_image = reader.Url(main, "wholeBackgroundImage");
  config.background_image = reader.Url(main, "backgroundImage");
  for (int number = 1; number <= 4; ++number) config.cards[number - 1] = ReadCard(reader, main, number);
  config.navigation = ReadNavigation(reader, data);
  const Json::Value& dialog = reader.Object(data, "dialog");
  config.close_dialog.open = reader.Flag(dialog, "open");
  config.close_dialog.image = reader.Url(dialog, "image");
  config.close_dialog.url = reader.Url(dialog, "url");
  return config;
}

// The install information as the install button carries it, after its members have been checked
// (the install flow reads them again from this text).
std::wstring ReadInstallInfo(MemberReader& reader, const Json::Value& data) {
  const Json::Value& info = reader.Object(data, "installInfo");
  const std::wstring download_url = reader.Url(info, "downloadUrl");
  reader.Flag(info, "dialogOpen");
  for (const char* line : {"dialogTitle", "dialogDesc1", "dialogDesc2"}) reader.Text(info, line);
  if (download_url.empty()) return std::wstring();
  Json::StreamWriterBuilder writer;
  writer["indentation"] = "";
  writer["emitUTF8"] = true;
  return WideFromUtf8(Json::writeString(writer, info) + "\n");
}

GoodsConfig ReadGoods(MemberReader& reader, const Json::Value& root) {
  const Json::Value& data = reader.Object(root, "data");
  const Json::Value& goods_info = reader.Object(data, "goodsInfo");
  GoodsConfig config;
  config.display_name = reader.Text(data, "displayName");
  config.name = reader.Text(goods_info, "name");
  config.logo = reader.Url(goods_info, "logo");
  config.icon = reader.Url(goods_info, "icon");
  config.install_info = ReadInstallInfo(reader, data);
  return config;
}

// Parses the body and reads it with `read`; the record is handed out only when all of it was read.
template <typename Config, typename Read>
bool ReadDocument(const std::string& body, Read read, Config* config) {
  Json::Value root;
  if (!ParseObject(body, &root)) return false;
  MemberReader reader;
  try {
    if (!reader.Succeeded(root)) return false;
    Config read_config = read(reader, root);
    if (!reader.ok()) return false;
    *config = std::move(read_config);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace

bool ReadGlobalConfig(const std::string& body, GlobalConfig* config) {
  return ReadDocument(body, ReadGlobal, config);
}

bool ReadGoodsConfig(const std::string& body, GoodsConfig* config) {
  return ReadDocument(body, ReadGoods, config);
}

}  // namespace tessaro
