#include "hub/PostMsg.h"

PostMsg::PostMsg(QObject *parent) : QObject(parent) {}

PostMsg::~PostMsg() = default;

PostMsg *PostMsg::GetInstance()
{
    // A function-local static is initialised exactly once even if two threads
    // race for the first use; the hub is never deleted (receivers may still be
    // connected while static objects are destroyed at exit).
    static PostMsg *const instance = new PostMsg(nullptr);
    return instance;
}
