#include "window/dialogs.h"
#include "window/helptexts.h"
#include "window/tform1.h"

void TForm1::Label14Click(QObject * /*Sender*/)
{
    m_dialogs->message(this, plainMessage(helptexts::searchString()));
}

void TForm1::Label15Click(QObject * /*Sender*/)
{
    m_dialogs->message(this, plainMessage(helptexts::exclusionString()));
}

void TForm1::Label16Click(QObject * /*Sender*/)
{
    m_dialogs->message(this, plainMessage(helptexts::weightingString()));
}

void TForm1::Label17Click(QObject * /*Sender*/)
{
    m_dialogs->message(this, plainMessage(helptexts::resultList()));
}
