#pragma once

#include <windows.h>
#include <winsock2.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A small HTTP server on 127.0.0.1 and a free port, for tests of the web client: it records
// the head of every request and answers each with the same reply, after a delay, or never;
// or, given several replies, with each in turn, over and over.
class TLoopbackHttpServer {
 public:
  struct TReply {
    std::string Body;
    std::string Status = "200 OK";
    DWORD DelayMs = 0;
    bool NeverAnswer = false;
    bool ResetConnection = false;  // read the request, then drop the connection hard
    DWORD TrickleMs = 0;           // send the answer one byte at a time, this far apart
  };

  struct TRepliesInTurn {
    std::vector<TReply> Replies;
  };

  explicit TLoopbackHttpServer(TReply reply);
  explicit TLoopbackHttpServer(TRepliesInTurn replies);
  ~TLoopbackHttpServer();
  TLoopbackHttpServer(const TLoopbackHttpServer&) = delete;
  TLoopbackHttpServer& operator=(const TLoopbackHttpServer&) = delete;

  bool Listening() const { return FListener != INVALID_SOCKET; }
  std::u16string Url() const;
  std::vector<std::string> Requests() const;

 private:
  void Serve();
  void Answer(SOCKET connection);

  std::vector<TReply> FReplies;
  std::size_t FAnswered = 0;
  SOCKET FListener = INVALID_SOCKET;
  unsigned short FPort = 0;
  std::atomic<bool> FStopping = false;
  mutable std::mutex FLock;
  std::vector<std::string> FRequests;
  std::vector<SOCKET> FHeld;
  std::thread FThread;
};

// A port on 127.0.0.1 that nothing listens on.
std::u16string ClosedLoopbackUrl();
