// The command handler: which commands exist, what a turn does to the file and
// to the views, and the order in which the open commands register and reset
// the strip.
#include "main_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
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
  std::vector<int> SelectedPhotos() override { return selected; }
  void RunSteps(std::size_t count, const std::function<void(std::size_t)>& step) override {
    runs.push_back(count);
    for (std::size_t i = 0; i < count; ++i) step(i);
  }
  TurnHistory_CL& History() override { return history; }
  void ShowUndoState(bool undo, bool redo) override {
    canUndo = undo;
    canRedo = redo;
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
  std::vector<int> selected;
  std::vector<std::size_t> runs;
  TurnHistory_CL history;
  bool canUndo = false;
  bool canRedo = false;
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

TEST(MainCommands, OnlyTheSevenIdentifiersDoAnythingWithNothingToUndo) {
  for (int id = IDM_FIRST - 3; id <= IDM_LAST + 3; ++id) {
    FakeHost host;
    Command(host, id);
    const bool known = id == 170 || id == 180 || id == 181 || id == 182 || id == 183 ||
                       id == 191 || id == 192;
    // Undo and redo (193, 194) do nothing while there is nothing to take back.
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

TEST_F(TurnCommand, RawTwinsTurnWithTheJpegAndComeBackWithUndoThoseLeftAloneAreNamedOnce) {
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

  // Undo and redo take the twin along; selected with its JPEG, a twin still
  // turns once per command and is not named as left alone.
  host.calls.clear();
  Command(host, IDM_UNDO);
  EXPECT_EQ(original, ReadBytes(path));
  EXPECT_EQ(cr2, ReadBytes(dir.Join(L"photo.CR2")));
  EXPECT_EQ((Calls{L"turned 2 left", L"turned 1 left"}), host.calls);
  Command(host, IDM_REDO);
  EXPECT_EQ(6u, ReadBytes(dir.Join(L"photo.CR2"))[kFirstValueAt]);
  Command(host, IDM_UNDO);
  host.selected = {1, 2};
  host.calls.clear();
  Command(host, IDM_ROTATE_RIGHT);
  EXPECT_EQ(6u, ReadBytes(dir.Join(L"photo.CR2"))[kFirstValueAt]);
  EXPECT_EQ((Calls{L"turned 1 right", L"turned 2 right",
                   L"notice " + std::wstring(kRawTwinsLeftMessage) + L"\r\n\r\nphoto.nef"}),
            host.calls);
  Command(host, IDM_UNDO);
  EXPECT_EQ(original, ReadBytes(path));
  EXPECT_EQ(cr2, ReadBytes(dir.Join(L"photo.CR2")));
  host.selected.clear();
  host.calls.clear();
  Command(host, IDM_ROTATE_RIGHT);

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

namespace {

// Photos s0.jpg ... of the folder, Orientation values in turn 1, 6, 3, 8 and
// one outside 1 to 8, listed and all selected.
class SelectionTurn : public ::testing::Test {
 protected:
  void MakePhotos(int count) {
    const std::uint32_t values[] = {1, 6, 3, 8, 9};
    for (int i = 0; i < count; ++i) {
      files.push_back(OrientationJpeg(i % 2 == 1, values[i % 5]));
      const std::wstring path = dir.Join(L"s" + std::to_wstring(i) + L".jpg");
      EXPECT_TRUE(WriteBytes(path, files.back()));
      host.photos.push_back(PhotoItem{path});
      host.selected.push_back(i);
    }
    host.current = 0;
  }
  std::wstring Path(int i) const { return host.photos[static_cast<std::size_t>(i)].path; }
  std::uint32_t ValueOf(int i) const {
    ExifInfo_CL info;
    info.Read(Path(i));
    const ExifEntry* entry = info.FindEntry(kTagOrientation);
    return entry ? entry->value : 0;
  }
  std::vector<std::wstring> Messages() const {
    std::vector<std::wstring> shown;
    for (const std::wstring& call : host.calls) {
      if (call == L"message") shown.push_back(host.message);
    }
    return shown;
  }

  TempDir dir;
  std::vector<Bytes> files;
  FakeHost host;
};

}  // namespace

TEST_F(SelectionTurn, EverySelectedPhotoTurnsInListOrderAndTheFailuresAreToldOnceAtTheEnd) {
  MakePhotos(5);
  // Photo 1 is read-only, photo 3 is no JPEG, and photo 0 is listed again
  // (selected twice): it turns once.
  ASSERT_TRUE(SetReadOnly(Path(1), true));
  ASSERT_TRUE(WriteBytes(Path(3), Bytes{'t', 'e', 'x', 't'}));
  host.photos.push_back(PhotoItem{Path(0)});
  host.selected.push_back(5);
  Command(host, IDM_ROTATE_RIGHT);
  SetReadOnly(Path(1), false);

  EXPECT_EQ(6u, ValueOf(0));
  EXPECT_EQ(files[1], ReadBytes(Path(1)));
  EXPECT_EQ(8u, ValueOf(2)) << "3 turned right";
  EXPECT_EQ((Bytes{'t', 'e', 'x', 't'}), ReadBytes(Path(3)));
  EXPECT_EQ(6u, ValueOf(4)) << "a value outside 1 to 8 turns as 1";
  // The screen follows each photo as it is written; the message comes last
  // and only once.
  EXPECT_EQ((Calls{L"turned 0 right", L"turned 2 right", L"turned 4 right", L"message"}), host.calls);
  EXPECT_EQ((std::vector<std::size_t>{5}), host.runs) << "one run of the five files";
  EXPECT_EQ(std::wstring(L"次の2枚の写真は回転できませんでした。\r\n\r\n") +
                L"ファイルが書き込み禁止(読み取り専用)になっています。\r\n    s1.jpg\r\n\r\n" +
                L"このプログラムで読めるJPEGファイルではありません。\r\n    s3.jpg",
            host.message);
  EXPECT_TRUE(host.canUndo);

  // Twelve that all fail: ten names under their one reason, then the rest
  // counted. A single failure among several keeps the message of one photo.
  FakeHost many;
  for (int i = 0; i < 12; ++i) {
    many.photos.push_back(PhotoItem{dir.Join(L"missing" + std::to_wstring(i) + L".jpg")});
    many.selected.push_back(i);
  }
  Command(many, IDM_ROTATE_LEFT);
  ASSERT_EQ((Calls{L"message"}), many.calls);
  EXPECT_EQ(0u, many.message.find(L"次の12枚の写真は回転できませんでした。\r\n\r\nファイルが見つからないか、開けません。"
                                  L"\r\n    missing0.jpg"));
  EXPECT_NE(std::wstring::npos, many.message.find(L"    missing9.jpg\r\n(ほか2件)"));
  EXPECT_FALSE(many.canUndo) << "nothing written, nothing to undo";

  host.calls.clear();
  host.selected = {1, 3};
  Command(host, IDM_ROTATE_LEFT);
  ASSERT_EQ(1u, Messages().size());
  EXPECT_EQ(CannotTurnText(Path(3), kTurnReasonNotJpeg, E_FAIL), host.message);
}

TEST_F(SelectionTurn, UndoAndRedoOfTwentyPhotosGiveEveryByteBackAndLeaveAChangedPhotoAlone) {
  MakePhotos(20);
  Command(host, IDM_ROTATE_RIGHT);
  std::vector<Bytes> turned;
  for (int i = 0; i < 20; ++i) turned.push_back(ReadBytes(Path(i)));
  for (int i = 0; i < 20; ++i) EXPECT_NE(files[i], turned[i]) << i;
  EXPECT_TRUE(host.canUndo);
  EXPECT_FALSE(host.canRedo);

  // Undo: every file byte for byte as before (9 included), the last one
  // first, each picture turned back in memory.
  host.calls.clear();
  Command(host, IDM_UNDO);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(files[i], ReadBytes(Path(i))) << i;
  ASSERT_EQ(20u, host.calls.size());
  for (int i = 0; i < 20; ++i) EXPECT_EQ(L"turned " + std::to_wstring(19 - i) + L" left", host.calls[i]);
  EXPECT_FALSE(host.canUndo);
  EXPECT_TRUE(host.canRedo);

  // Redo: the turn again, in its order.
  host.calls.clear();
  Command(host, IDM_REDO);
  for (int i = 0; i < 20; ++i) EXPECT_EQ(turned[i], ReadBytes(Path(i))) << i;
  EXPECT_EQ(L"turned 0 right", host.calls.front());
  EXPECT_TRUE(host.canUndo);
  EXPECT_FALSE(host.canRedo);

  // Another program turns photo 5 and makes photo 7 read-only: undo leaves
  // both alone and names them in one message, and redo has only the others.
  ASSERT_TRUE(RotateRight(Path(5)) == 0);
  const Bytes changed = ReadBytes(Path(5));
  ASSERT_TRUE(SetReadOnly(Path(7), true));
  host.calls.clear();
  Command(host, IDM_UNDO);
  SetReadOnly(Path(7), false);
  EXPECT_EQ(changed, ReadBytes(Path(5)));
  EXPECT_EQ(turned[7], ReadBytes(Path(7)));
  for (int i = 0; i < 20; ++i) {
    if (i != 5 && i != 7) {
      EXPECT_EQ(files[i], ReadBytes(Path(i))) << i;
    }
  }
  ASSERT_EQ(1u, Messages().size());
  EXPECT_EQ(std::wstring(L"次の2枚の写真は元に戻せませんでした。\r\n\r\n") +
                L"ファイルが書き込み禁止(読み取り専用)になっています。\r\n    s7.jpg\r\n\r\n" + kChangedSinceText +
                L"\r\n    s5.jpg",
            host.message);
  EXPECT_NE(host.calls.end(), std::find(host.calls.begin(), host.calls.end(),
                                        L"log " + std::wstring(kChangedSinceLog) + Path(5)));
  host.calls.clear();
  Command(host, IDM_REDO);
  EXPECT_EQ(changed, ReadBytes(Path(5)));
  EXPECT_EQ(turned[7], ReadBytes(Path(7)));
  EXPECT_EQ(turned[6], ReadBytes(Path(6)));
  EXPECT_EQ(18u, host.calls.size()) << "no message: the two were not part of the step any more";
}

TEST_F(SelectionTurn, TheHistoryHoldsAHundredStepsAndANewTurnEndsRedo) {
  MakePhotos(1);
  host.selected.clear();
  for (int i = 0; i < 102; ++i) Command(host, IDM_ROTATE_RIGHT);
  int undone = 0;
  while (host.canUndo && undone < 200) {
    Command(host, IDM_UNDO);
    ++undone;
  }
  EXPECT_EQ(100, undone);
  EXPECT_EQ(3u, ValueOf(0)) << "the two oldest turns stay";
  Command(host, IDM_UNDO);
  EXPECT_EQ(3u, ValueOf(0)) << "undo with nothing left does nothing";

  Command(host, IDM_REDO);
  EXPECT_EQ(8u, ValueOf(0));
  Command(host, IDM_ROTATE_LEFT);
  EXPECT_FALSE(host.canRedo);
  Command(host, IDM_REDO);
  EXPECT_EQ(3u, ValueOf(0));

  // A photo that was given its entry keeps it: undo turns it back to 1.
  const Bytes tagless = JpegBuilder().Soi().App1Exif(false, {TestEntry{271, 2, 4, 0x00434241}}).Sos().Data();
  ASSERT_TRUE(WriteBytes(Path(0), tagless));
  host.addOrientation = true;
  host.calls.clear();
  Command(host, IDM_ROTATE_LEFT);
  EXPECT_EQ(8u, ValueOf(0));
  Command(host, IDM_UNDO);
  EXPECT_EQ(1u, ValueOf(0));
  Command(host, IDM_REDO);
  EXPECT_EQ(8u, ValueOf(0));
  EXPECT_EQ((Calls{L"current", L"turned 0 left", L"turned 0 right", L"turned 0 left"}), host.calls);
}
