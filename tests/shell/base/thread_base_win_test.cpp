// The worker-thread bases: the hand-shake, the message filter and the cancel
// flag.
#include <gtest/gtest.h>

#include <new>
#include <vector>

#include "easy_thread_base.h"
#include "thread_base.h"

namespace {

const DWORD kPatience = 10000;  // ms; only a broken worker comes near it

// Records the messages it serves; fails on this one.
const UINT kThrowingMessage = 1500;

class RecordingThread : public ThreadBase_CL {
 public:
  RecordingThread() : served_(CreateEventW(NULL, FALSE, FALSE, NULL)) { lock_.Initialize(); }
  ~RecordingThread() override { Stop(); }

  int OnThreadMessage(UINT message, WPARAM wParam, LPARAM) override {
    if (message == kThrowingMessage) throw std::bad_alloc();
    {
      CriticalSection_CL::Scope hold(lock_);
      messages_.push_back(message);
      lastWParam_ = wParam;
    }
    SetEvent(served_.Get());
    return 0;
  }

  // Waits until a message with this number has been served.
  bool WaitFor(UINT message) {
    for (;;) {
      for (UINT m : Messages()) {
        if (m == message) return true;
      }
      if (WaitForSingleObject(served_.Get(), kPatience) != WAIT_OBJECT_0) return false;
    }
  }
  std::vector<UINT> Messages() {
    CriticalSection_CL::Scope hold(lock_);
    return messages_;
  }
  WPARAM LastWParam() {
    CriticalSection_CL::Scope hold(lock_);
    return lastWParam_;
  }
  CriticalSection_CL& WorkerLock() { return Lock(); }

 private:
  UniqueHandle served_;
  CriticalSection_CL lock_;
  std::vector<UINT> messages_;
  WPARAM lastWParam_ = 0;
};

TEST(ThreadBase, AMessagePostedRightAfterStartIsReceived) {
  for (int round = 0; round < 20; ++round) {
    RecordingThread thread;
    thread.Start(0);
    EXPECT_TRUE(thread.WorkerLock().IsInitialized());
    ASSERT_TRUE(PostThreadMessageW(thread.ThreadId(), 1300, 7, 0)) << round;
    ASSERT_TRUE(thread.WaitFor(1300)) << round;
    EXPECT_EQ(7u, thread.LastWParam());
  }
}

TEST(ThreadBase, MessagesOutsideTheRangeAreNeverServed) {
  RecordingThread thread;
  thread.Start(0);
  for (UINT m : {static_cast<UINT>(WM_USER), 1223u, 1224u, 5320u, 5321u, 40000u}) {
    ASSERT_TRUE(thread.Post(m, 0, 0)) << m;
  }
  thread.PostNotify();  // served after everything posted before it
  ASSERT_TRUE(thread.WaitFor(WM_THREAD_NOTIFY));
  EXPECT_EQ((std::vector<UINT>{1224u, 5320u, WM_THREAD_NOTIFY}), thread.Messages());
}

TEST(ThreadBase, StopOnANeverStartedObjectDoesNothing) {
  RecordingThread thread;
  thread.Stop();
  EXPECT_FALSE(thread.HasThread());
  EXPECT_FALSE(thread.WorkerLock().IsInitialized());
  EXPECT_FALSE(thread.Post(1300, 0, 0));
}

TEST(ThreadBase, RestartedAfterStopWithTheSameLockAndOneThreadAtATime) {
  RecordingThread thread;
  thread.Start(0);
  const DWORD first = thread.ThreadId();
  thread.Start(0);  // a second start while running makes no second thread
  EXPECT_EQ(first, thread.ThreadId());
  thread.Stop();
  EXPECT_FALSE(thread.HasThread());
  EXPECT_FALSE(thread.IsRunning());
  EXPECT_TRUE(thread.WorkerLock().IsInitialized());
  thread.Start(0);
  ASSERT_TRUE(thread.Post(1400, 0, 0));
  EXPECT_TRUE(thread.WaitFor(1400));
  EXPECT_EQ((std::vector<UINT>{WM_THREAD_QUIT, 1400u}), thread.Messages());
}

// Works until cancelled when asked to, and remembers what it was given.
class Job : public EasyThreadBase_CL {
 public:
  Job() : working_(CreateEventW(NULL, TRUE, FALSE, NULL)) {}
  ~Job() override { Wait(); }
  bool WaitWorking() { return WaitForSingleObject(working_.Get(), kPatience) == WAIT_OBJECT_0; }

  INT_PTR got1 = 0, got2 = 0;
  int endCancel = -1;
  bool untilCancelled = false;
  bool throwInMain = false;

 protected:
  void ThreadMain(INT_PTR param1, INT_PTR param2) override {
    got1 = param1;
    got2 = param2;
    SetEvent(working_.Get());
    if (throwInMain) throw std::bad_alloc();
    while (untilCancelled && !CancelRequested()) Sleep(1);
  }
  void OnThreadEnd(int cancel) override { endCancel = cancel; }

 private:
  UniqueHandle working_;
};

TEST(EasyThreadBase, OnThreadEndReceivesTheCancelFlag) {
  Job job;
  ASSERT_TRUE(job.Run(11, 22));
  job.Wait();
  EXPECT_EQ(11, job.got1);
  EXPECT_EQ(22, job.got2);
  EXPECT_EQ(0, job.endCancel);

  job.untilCancelled = true;
  ASSERT_TRUE(job.Run(0, 0));
  ASSERT_TRUE(job.WaitWorking());
  EXPECT_TRUE(job.IsRunning());
  job.RequestCancel();
  job.Wait();
  EXPECT_EQ(1, job.endCancel);
  EXPECT_FALSE(job.IsRunning());

  job.untilCancelled = false;  // Run clears the flag again
  ASSERT_TRUE(job.Run(0, 0));
  job.Wait();
  EXPECT_EQ(0, job.endCancel);
}

TEST(ThreadBases, WorkThatThrowsEndsOnlyThatMessageOrThatRun) {
  RecordingThread thread;
  thread.Start(0);
  ASSERT_TRUE(thread.Post(kThrowingMessage, 0, 0));
  ASSERT_TRUE(thread.Post(1501, 0, 0));
  EXPECT_TRUE(thread.WaitFor(1501)) << "the thread serves on";
  thread.Stop();
  EXPECT_FALSE(thread.HasThread());

  Job job;
  job.throwInMain = true;
  ASSERT_TRUE(job.Run(0, 0));
  job.Wait();
  EXPECT_EQ(0, job.endCancel) << "the end is reported all the same";
}

}  // namespace
