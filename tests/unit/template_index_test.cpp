// The checker's index of a template: a lookup through it leaves the reader
// exactly as the reader's own lookup from the file's top does, found or
// not, and it numbers lines as the line counter does.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "authoring/template_index.h"
#include "core/strip/strip_randomizer.h"
#include "support/test_files.h"

TEST(TemplateIndex, LooksUpAsTheReaderDoes) {
  std::string longLine = "[" + std::string(250, 'w') + "]";
  const std::vector<std::string> files = {
      "[a]\none\nend\n\t[b]  # note\ntwo\nend\n[a]\nthree\nend\n",
      "x\r\n[last]\r\n\r\n# only a comment\r\n",
      "[cartoon S]\npics\nend\n[pics]\np.pcx\nend\n[end]",
      // A line longer than a field is read as pieces; the second is no header.
      longLine + "\n[" + std::string(198, 'q') + "]\n[b]\n",
      "\n\n# nothing usable\n",
      "",
  };
  const std::vector<std::string> names = {"a",
                                          "b",
                                          "last",
                                          "cartoon S",
                                          "pics",
                                          "end",
                                          "nothere",
                                          "one",
                                          "",
                                          "w",
                                          std::string(198, 'q'),
                                          std::string(199, 'q'),
                                          std::string(250, 'w')};
  for (const std::string& text : files) {
    TempDir dir;
    std::string path = dir.write("t.txt", text);
    StripRandomizer indexed;
    ASSERT_TRUE(indexed.buffer().loadFile(path.c_str()));
    TemplateIndex index;
    index.build(indexed);
    LineCounter counter;
    for (int32_t p = 0; p <= indexed.buffer().size(); ++p)
      EXPECT_EQ(index.lineBefore(p), counter.lineAt(indexed.buffer(), p > 0 ? p - 1 : 0));
    for (const std::string& name : names) {
      SCOPED_TRACE(text.substr(0, 20) + " / " + name.substr(0, 20));
      StripRandomizer plain;
      ASSERT_TRUE(plain.buffer().loadFile(path.c_str()));
      plain.setStatus(Working, "");
      plain.seekTo(name.c_str());
      indexed.setStatus(Working, "");
      index.seekTo(indexed, name);
      EXPECT_EQ(indexed.statusCode(), plain.statusCode());
      EXPECT_STREQ(indexed.statusMessage(), plain.statusMessage());
      EXPECT_EQ(indexed.buffer().position(), plain.buffer().position());
    }
  }
}
