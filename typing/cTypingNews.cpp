#include "typing/cTypingNews.h"

cTypingNews &typingNews()
{
    static cTypingNews news;
    return news;
}
