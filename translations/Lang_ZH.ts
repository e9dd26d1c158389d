<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>DoRaDuvoZezavi</name>
    <message>
        <source>Loading..</source>
        <translation>正在加载..</translation>
    </message>
    <message>
        <source>Clipwright</source>
        <translation>Clipwright</translation>
    </message>
</context>
</TS>
