// The command handler: which commands exist, what a turn does to the file and
// to the views, and the order in which the open commands register and reset
// the strip.
#include "main_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "jpeg_builder.h"
#include "tiff_builder.h"
#include "exif_info.h"
#include "resource_ids.h"
#include "test_files.h"

namespace {

class FakeHost : public CommandHost_CL {
 public:
  const PhotoList& Photos() const override { return photos; }
  int CurrentPhoto() override {
    calls.push_back(L"current");
    return current;
  }
  void ShowCannotTurn(const std::wstring& text) override {
    calls.push_back(L"message");
    message = text;
  }
  void ShowNotice(const std::wstring& text) override { calls.push_back(L"notice " + text); }
  void ShowTurned(int index, bool clockwise) override {
    calls.push_back(L"turned " + std::to_wstring(index) + (clockwise ? L" right" : L" left"));
  }
  void Log(const std::wstring& message) override { calls.push_back(L"log " + message); }
  bool AddsMissingOrientation() const override { return addOrientation; }
  bool TurnsRawTwins() const override { return turnRawTwins; }
  void ShowChanged(int index) override { calls.push_back(L"changed " + std::to_wstring(index)); }
  bool ChooseFiles(std::vector<std::wstring>& paths) override {
    calls.push_back(L"choose files");
    paths = chosenFiles;
    return !chosenFiles.empty();
  }
  bool ChooseFolder(std::wstring& folder) override {
    calls.push_back(L"choose folder");
    folder = chosenFolder;
    return !chosenFolder.empty();
  }
  void RegisterWithProgress(const std::vector<std::wstring>& paths) override {
    std::wstring call = L"register";
    for (const std::wstring& p : paths) call += L" " + p;
    calls.push_back(call);
  }
  void ShowRegisteredPhotos() override { calls.push_back(L"show registered"); }
  int ShowSettingsSheet() override {
    calls.push_back(L"settings");
    return settingsResult;
  }
  void ApplyTopMost() override { calls.push_back(L"topmost"); }
  void ShowVersionSheet() override { calls.push_back(L"version"); }
  void OpenSupportSite() override { calls.push_back(L"support"); }

  PhotoList photos;
  int current = -1;
  std::vector<std::wstring> chosenFiles;
  std::wstring chosenFolder;
  int settingsResult = 1;
  bool addOrientation = false;
  bool turnRawTwins = true;
  std::vector<std::wstring> calls;
  std::wstring message;
};

// The fixed first line, then the photo's name and the reason.
void ExpectMessage(const std::wstring& message, const std::wstring& reason) {
  const std::wstring expected =
      std::wstring(kCannotTurnMessage) + L"\r\n\r\nphoto.jpg\r\n" + reason;
  EXPECT_EQ(expected, message);
}

void Command(FakeHost& host, int id) { OnCommand(host, id - IDM_FIRST); }

typedef std::vector<std::wstring> Calls;

class TurnCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    original = OrientationJpeg(false, 1);
    path = dir.Join(L"photo.jpg");
    ASSERT_TRUE(WriteBytes(path, original));
    host.photos.push_back(PhotoItem{dir.Join(L"other.jpg")});
    host.photos.push_back(PhotoItem{path});
    host.current = 1;
  }

  TempDir dir;
  Bytes original;
  std::wstring path;
  FakeHost host;
};

}  // namespace

TEST(MainCommands, OnlyTheSevenIdentifiersDoAnything) {
  for (int id = IDM_FIRST - 3; id <= IDM_LAST + 3; ++id) {
    FakeHost host;
    Command(host, id);
    const bool known = id == 170 || id == 180 || id == 181 || id == 182 || id == 183 ||
                       id == 191 || id == 192;
    EXPECT_EQ(known, !host.calls.empty()) << "identifier " << id;
  }
  FakeHost host;
  OnCommand(host, -1000);
  OnCommand(host, 1000);
  EXPECT_TRUE(host.calls.empty());
}

TEST_F(TurnCommand, RightTurnWritesOnlyTheOrientationAndShowsTheTurn) {
  Command(host, IDM_ROTATE_RIGHT);
  Bytes expected = original;
  expected[kOrientationValueAt] = 6;
  EXPECT_EQ(expected, ReadBytes(path));
  EXPECT_EQ((Calls{L"current", L"turned 1 right"}), host.calls);

  Command(host, IDM_ROTATE_LEFT);
  EXPECT_EQ(original, ReadBytes(path));
  EXPECT_EQ((Calls{L"current", L"turned 1 right", L"current", L"turned 1 left"}), host.calls);
}

TEST_F(TurnCommand, RawTwinsTurnWithTheJpegAndShowTurnedThoseLeftAloneAreNamedOnce) {
  const Bytes cr2 = TiffFile(false, {TestEntry{274, 3, 1, 1}});
  const Bytes nef = TiffFile(true, {TestEntry{274, 3, 1, 3}});
  ASSERT_TRUE(WriteBytes(dir.Join(L"photo.CR2"), cr2));
  ASSERT_TRUE(WriteBytes(dir.Join(L"photo.nef"), nef));
  host.photos.push_back(PhotoItem{dir.Join(L"photo.CR2")});
  Command(host, IDM_ROTATE_RIGHT);
  EXPECT_EQ(6u, ReadBytes(dir.Join(L"photo.CR2"))[kFirstValueAt]);
  EXPECT_EQ(nef, ReadBytes(dir.Join(L"photo.nef")));
  EXPECT_EQ((Calls{L"current", L"turned 1 right", L"turned 2 right",
                   L"notice " + std::wstring(kRawTwinsLeftMessage) + L"\r\n\r\nphoto.nef"}),
            host.calls);

  // Off: the JPEG alone.
  host.turnRawTwins = false;
  host.calls.clear();
  Command(host, IDM_ROTATE_LEFT);
  EXPECT_EQ(original, ReadBytes(path));
  EXPECT_EQ(6u, ReadBytes(dir.Join(L"photo.CR2"))[kFirstValueAt]);
  EXPECT_EQ((Calls{L"current", L"turned 1 left"}), host.calls);
}

TEST_F(TurnCommand, FourRightTurnsGiveTheFileBack) {
  for (int i = 0; i < 4; ++i) Command(host, IDM_ROTATE_RIGHT);
  EXPECT_EQ(original, ReadBytes(path));
  for (const std::wstring& call : host.calls) EXPECT_NE(L"message", call);
}

TEST_F(TurnCommand, AReadOnlyPhotoShowsTheMessageOnceAndStaysAsItWas) {
  ASSERT_TRUE(SetReadOnly(path, true));
  Command(host, IDM_ROTATE_RIGHT);
  SetReadOnly(path, false);
  EXPECT_EQ(original, ReadBytes(path));
  EXPECT_EQ((Calls{L"current", L"message"}), host.calls) << "the pictures stay as they were";
  ExpectMessage(host.message, L"ファイルが書き込み禁止(読み取り専用)になっています。");
}

TEST_F(TurnCommand, APhotoWithoutOrientationShowsTheMessage) {
  const Bytes noOrientation =
      JpegBuilder().Soi().App1Exif(false, {TestEntry{271, 2, 4, 0x00434241}}).Sos().Data();
  ASSERT_TRUE(WriteBytes(path, noOrientation));
  Command(host, IDM_ROTATE_LEFT);
  EXPECT_EQ(noOrientation, ReadBytes(path));
  EXPECT_EQ((Calls{L"current", L"message"}), host.calls) << "the pictures stay as they were";
  // The message names the setting that would let it turn.
  ExpectMessage(host.message, L"Exif情報にOrientation(向き)の項目がありません。"
                              L"設定の「Orientationがない写真にも追加して回転する」をオンにすると回転できます。");
}

TEST_F(TurnCommand, WithTheSettingAPhotoWithoutOrientationTurnsOnScreenAtOnce) {
  const Bytes noOrientation =
      JpegBuilder().Soi().App1Exif(false, {TestEntry{271, 2, 4, 0x00434241}}).Sos().Data();
  ASSERT_TRUE(WriteBytes(path, noOrientation));
  host.addOrientation = true;
  Command(host, IDM_ROTATE_LEFT);
  EXPECT_EQ((Calls{L"current", L"turned 1 left"}), host.calls);
  ExifInfo_CL info;
  info.Read(path);
  ASSERT_NE(nullptr, info.FindEntry(kTagOrientation));
  EXPECT_EQ(8u, info.FindEntry(kTagOrientation)->value);
}

TEST_F(TurnCommand, AFileThatIsNoJpegIsSaidToBeNone) {
  // A text file and an empty file under a photo's name.
  const std::vector<Bytes> notJpegs = {Bytes{'h', 'e', 'l', 'l', 'o', '\n'}, Bytes()};
  for (const Bytes& bytes : notJpegs) {
    ASSERT_TRUE(WriteBytes(path, bytes));
    host.message.clear();
    Command(host, IDM_ROTATE_RIGHT);
    EXPECT_EQ(bytes, ReadBytes(path));
    ExpectMessage(host.message, L"このプログラムで読めるJPEGファイルではありません。");
  }
}

TEST_F(TurnCommand, XmpThatCannotFollowTheTurnIsLogged) {
  const std::string form =
      "<rdf:Description xmlns:tiff='http://ns.adobe.com/tiff/1.0/' tiff:Orientation='16'/>";
  const Bytes turnable = JpegBuilder().Soi().App1Exif(false, {TestEntry{274, 3, 1, 1}}).App1Xmp(form).Sos().Data();
  ASSERT_TRUE(WriteBytes(path, turnable));
  Command(host, IDM_ROTATE_RIGHT);
  EXPECT_EQ((Calls{L"current", L"log " + std::wstring(kXmpLeftAloneLog) + path, L"turned 1 right"}), host.calls);

  const Bytes xmpOnly = JpegBuilder().Soi().App1Xmp(form).Sos().Data();
  ASSERT_TRUE(WriteBytes(path, xmpOnly));
  host.calls.clear();
  Command(host, IDM_ROTATE_RIGHT);
  EXPECT_EQ(xmpOnly, ReadBytes(path));
  EXPECT_EQ((Calls{L"current", L"log " + std::wstring(kXmpOnlyLog) + path, L"message"}), host.calls);
}

TEST_F(TurnCommand, NoCurrentPhotoOrOneOutsideTheListDoesNothing) {
  host.current = -1;
  Command(host, IDM_ROTATE_RIGHT);
  host.current = 2;
  Command(host, IDM_ROTATE_LEFT);
  EXPECT_EQ((Calls{L"current", L"current"}), host.calls);
  EXPECT_EQ(original, ReadBytes(path));

  FakeHost empty;
  Command(empty, IDM_ROTATE_RIGHT);
  EXPECT_EQ((Calls{L"current"}), empty.calls);
}

TEST(MainCommands, ChosenFilesThatAreNoPhotosAreNamedAndTheRestRegistered) {
  FakeHost host;
  host.chosenFiles = {L"C:\\p\\b.jpg", L"C:\\p\\notes.txt", L"C:\\p\\a.JPEG"};
  Command(host, IDM_OPEN_FILES);
  EXPECT_EQ((Calls{L"choose files", L"notice " + std::wstring(kNotPhotosMessage) + L"\r\n\r\nnotes.txt",
                   L"register C:\\p\\b.jpg C:\\p\\a.JPEG", L"show registered"}),
            host.calls);

  // Nothing but other files: only the notice.
  FakeHost others;
  for (int i = 0; i < 12; ++i) others.chosenFiles.push_back(L"C:\\p\\" + std::to_wstring(i) + L".gif");
  Command(others, IDM_OPEN_FILES);
  ASSERT_EQ(2u, others.calls.size());
  EXPECT_NE(std::wstring::npos, others.calls[1].find(L"\r\n9.gif\r\n(ほか2件)"));
}

TEST(MainCommands, OpenFilesRegistersTheChoiceThenResetsTheStrip) {
  FakeHost host;
  host.chosenFiles = {L"C:\\p\\b.jpg", L"C:\\p\\a.jpg"};
  Command(host, IDM_OPEN_FILES);
  EXPECT_EQ((Calls{L"choose files", L"register C:\\p\\b.jpg C:\\p\\a.jpg", L"show registered"}),
            host.calls);
}

TEST(MainCommands, OpenFolderRegistersTheOneFolder) {
  FakeHost host;
  host.chosenFolder = L"C:\\Photos";
  Command(host, IDM_OPEN_FOLDER);
  EXPECT_EQ((Calls{L"choose folder", L"register C:\\Photos", L"show registered"}), host.calls);
}

TEST(MainCommands, CancelledDialogsChangeNothing) {
  FakeHost host;
  Command(host, IDM_OPEN_FILES);
  Command(host, IDM_OPEN_FOLDER);
  EXPECT_EQ((Calls{L"choose files", L"choose folder"}), host.calls);
}

TEST(MainCommands, SettingsApplyTheTopMostStateOnlyAfterOk) {
  FakeHost host;
  Command(host, IDM_APP_SETTINGS);
  EXPECT_EQ((Calls{L"settings", L"topmost"}), host.calls);
  for (int result : {0, 2, -1}) {
    FakeHost other;
    other.settingsResult = result;
    Command(other, IDM_APP_SETTINGS);
    EXPECT_EQ((Calls{L"settings"}), other.calls) << "result " << result;
  }
}

TEST(MainCommands, VersionSheetAndSupportSite) {
  FakeHost host;
  Command(host, IDM_VERSION_INFO);
  Command(host, IDM_SUPPORT_SITE);
  EXPECT_EQ((Calls{L"version", L"support"}), host.calls);
}
