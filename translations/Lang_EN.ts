<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>DoRaDuvoZezavi</name>
    <message>
        <source>Loading..</source>
        <translation>Loading..</translation>
    </message>
    <message>
        <source>Clipwright</source>
        <translation>Clipwright</translation>
    </message>
</context>
</TS>
