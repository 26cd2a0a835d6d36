#include "LoopbackHttpServer.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <chrono>

namespace {

struct TWinsock {
  TWinsock() {
    WSADATA data{};
    ::WSAStartup(MAKEWORD(2, 2), &data);
  }
  ~TWinsock() { ::WSACleanup(); }
};

void StartWinsock() {
  static const TWinsock winsock;
}

SOCKET ListenOnLoopback(unsigned short& port) {
  StartWinsock();
  const SOCKET listener = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (listener == INVALID_SOCKET) return listener;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = ::htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  int length = sizeof(address);
  if (::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || ::listen(listener, 8) != 0 ||
      ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    ::closesocket(listener);
    return INVALID_SOCKET;
  }
  port = ::ntohs(address.sin_port);
  return listener;
}

std::u16string LoopbackUrl(unsigned short port) {
  const std::string text = "http://127.0.0.1:" + std::to_string(port) + "/api.init.php";
  return std::u16string(text.begin(), text.end());
}

}  // namespace

TLoopbackHttpServer::TLoopbackHttpServer(TReply reply) : TLoopbackHttpServer(TRepliesInTurn{{std::move(reply)}}) {}

TLoopbackHttpServer::TLoopbackHttpServer(TRepliesInTurn replies) : FReplies(std::move(replies.Replies)) {
  FListener = ListenOnLoopback(FPort);
  if (FListener != INVALID_SOCKET) FThread = std::thread([this] { Serve(); });
}

TLoopbackHttpServer::~TLoopbackHttpServer() {
  FStopping = true;
  if (FThread.joinable()) FThread.join();
  for (SOCKET held : FHeld) ::closesocket(held);
  if (FListener != INVALID_SOCKET) ::closesocket(FListener);
}

std::u16string TLoopbackHttpServer::Url() const {
  return LoopbackUrl(FPort);
}

std::vector<std::string> TLoopbackHttpServer::Requests() const {
  const std::lock_guard<std::mutex> hold(FLock);
  return FRequests;
}

void TLoopbackHttpServer::Serve() {
  while (!FStopping) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(FListener, &readable);
    timeval wait{0, 20000};
    if (::select(0, &readable, nullptr, nullptr, &wait) <= 0) continue;
    const SOCKET connection = ::accept(FListener, nullptr, nullptr);
    if (connection != INVALID_SOCKET) Answer(connection);
  }
}

void TLoopbackHttpServer::Answer(SOCKET connection) {
  std::string head;
  char buffer[4096];
  while (head.find("\r\n\r\n") == std::string::npos) {
    const int received = ::recv(connection, buffer, sizeof(buffer), 0);
    if (received <= 0) break;
    head.append(buffer, static_cast<std::size_t>(received));
  }
  {
    const std::lock_guard<std::mutex> hold(FLock);
    FRequests.push_back(head);
  }
  const TReply& reply = FReplies.empty() ? TReply{} : FReplies[FAnswered++ % FReplies.size()];
  if (reply.NeverAnswer) {
    FHeld.push_back(connection);  // kept open, unanswered, until the server ends
    return;
  }
  if (reply.ResetConnection) {
    const linger abort{1, 0};  // closing now sends a reset instead of an orderly end
    ::setsockopt(connection, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&abort), sizeof(abort));
    ::closesocket(connection);
    return;
  }
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(reply.DelayMs);
  while (!FStopping && std::chrono::steady_clock::now() < until) ::Sleep(10);
  const std::string answer = "HTTP/1.1 " + reply.Status + "\r\nContent-Type: text/html; charset=iso-8859-1\r\n" +
                             "Content-Length: " + std::to_string(reply.Body.size()) + "\r\nConnection: close\r\n\r\n" +
                             reply.Body;
  const std::size_t step = reply.TrickleMs > 0 ? 1 : answer.size();
  std::size_t sent = 0;
  while (sent < answer.size() && !FStopping) {
    const int chunk =
        ::send(connection, answer.data() + sent, static_cast<int>(std::min(step, answer.size() - sent)), 0);
    if (chunk <= 0) break;
    sent += static_cast<std::size_t>(chunk);
    if (reply.TrickleMs > 0) ::Sleep(reply.TrickleMs);
  }
  ::shutdown(connection, SD_SEND);
  ::closesocket(connection);
}

std::u16string ClosedLoopbackUrl() {
  unsigned short port = 0;
  const SOCKET probe = ListenOnLoopback(port);
  ::closesocket(probe);  // free again: nothing listens there now
  return LoopbackUrl(port);
}
