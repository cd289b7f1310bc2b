#include "net/NetTexts.h"

#include <cwctype>
#include <filesystem>
#include <random>
#include <system_error>

#include "world/MapFile.h"

namespace NNet {

namespace {

std::wstring Widened(const std::string& in_ascii) { return std::wstring(in_ascii.begin(), in_ascii.end()); }

std::wstring What(const TNetSession& in_session) {
  const std::wstring peer = in_session.PeerProgram().empty() ? L"неизвестная" : Widened(in_session.PeerProgram());
  switch (in_session.Fault()) {
    case TFault::None: return L"Сетевая игра окончена.";
    case TFault::Listen:
      return L"Не удаётся ждать второго игрока на порту " + std::to_wstring(in_session.Port()) +
             L": порт занят другой программой или закрыт. Выберите другой порт.";
    case TFault::NameNotFound: return L"Такой адрес не найден. Проверьте, как он написан.";
    case TFault::Refused: return L"По этому адресу и порту никто не ждёт игры.";
    case TFault::Unreachable: return L"Этот адрес недоступен: до него нет пути по сети.";
    case TFault::NoAnswer: return L"Другой компьютер не отвечает.";
    case TFault::WrongCode: return L"Код игры неверен.";
    case TFault::WrongProgram:
      return L"У второго игрока другая версия программы (" + peer + L"), у вас " + Widened(ProgramVersion()) +
             L". Играть можно только одной версией.";
    case TFault::WrongProtocol:
      return L"У второго игрока другая версия программы, у вас " + Widened(ProgramVersion()) +
             L". Играть можно только одной версией.";
    case TFault::Busy: return L"Этот игрок уже играет с другим.";
    case TFault::PeerLeft: return L"Второй игрок вышел из игры.";
    case TFault::Disconnected: return L"Связь со вторым игроком прервана.";
    case TFault::Silent:
      return L"Второй игрок не отвечает уже " + std::to_wstring(kSilenceMs / 1000) + L" секунд. Связь прервана.";
    case TFault::Garbage: return L"Второй компьютер прислал то, чего не может быть. Игра остановлена.";
    case TFault::Mismatch: return L"Позиции у игроков разошлись. Игра остановлена.";
    case TFault::BadMap: return L"Карта второго игрока не читается.";
  }
  return L"Сетевая игра остановлена.";
}

}  // namespace

uint32_t NewJoinCode() {
  std::random_device device;
  std::uniform_int_distribution<uint32_t> digits(100000, 999999);
  return digits(device);
}

std::wstring JoinCodeText(uint32_t in_code) {
  std::wstring text = std::to_wstring(in_code % 1000000);
  return std::wstring(6 - text.size(), L'0') + text;
}

bool ParseJoinCode(const std::wstring& in_text, uint32_t& out_code) {
  uint32_t code = 0;
  int count = 0;
  for (const wchar_t c : in_text) {
    if (std::iswspace(static_cast<wint_t>(c))) continue;
    if (c < L'0' || c > L'9' || ++count > 6) return false;
    code = code * 10 + static_cast<uint32_t>(c - L'0');
  }
  if (count != 6) return false;
  out_code = code;
  return true;
}

std::wstring FaultText(const TNetSession& in_session, const std::wstring& in_savedAs, bool in_saveFailed) {
  std::wstring text = What(in_session);
  if (!in_savedAs.empty()) text += L"\nПозиция сохранена в файл «" + in_savedAs + L"».";
  else if (in_saveFailed) text += L"\nПозицию сохранить не удалось.";
  return text;
}

std::wstring SaveNetworkPosition() {
  for (int i = 1; i <= 99; ++i) {
    const std::wstring name = std::wstring(L"Сеть") + (i < 10 ? L"0" : L"") + std::to_wstring(i) + L".map";
    std::error_code error;
    if (std::filesystem::exists(MapFilePath(name), error) || error) continue;
    return WriteMapFile(name) ? name : std::wstring();
  }
  return {};
}

}  // namespace NNet
