<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>Advertise with Ferrow Quorvel</title></head>
<body>
<h1>Your banner in Ferrow Quorvel</h1>
<p>Ferrow Quorvel watches web sites for changed files and sits in the tray of the people who
look after them. Its strip shows four sponsor banners at a time, and its sponsor page has
100 numbered slots.</p>
<p>A banner is a GIF or JPEG picture of 150 × 50 pixels with a link and a short title. Write
to the maker to book a slot.</p>
</body></html>
