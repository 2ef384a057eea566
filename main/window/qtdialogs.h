#pragma once

#include "window/dialogs.h"

// The production dialogs: Qt's own dialog classes, opened with exec().
class QtDialogs : public Dialogs
{
public:
    int message(QWidget *parent, const MessageRequest &request) override;
};
