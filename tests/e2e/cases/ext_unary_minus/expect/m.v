// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b, n, neg, sub, mix, low, twice);
   input m_clock;
   input p_reset;
   input [7:0] a;
   input [7:0] b;
   input [3:0] n;
   output [7:0] neg;
   output [7:0] sub;
   output [7:0] mix;
   output [3:0] low;
   output [7:0] twice;

   assign neg = (-a);

   assign sub = (b-(-a));

   assign mix = ((-(a+b))&(~(-b)));

   assign low = (-n);

   assign twice = (-(-a));
endmodule
