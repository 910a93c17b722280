// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, a, b, c, d, x, y, z);
   input m_clock;
   input p_reset;
   input a;
   input b;
   input c;
   input d;
   output x;
   output y;
   output z;

   assign x = (((((a&b)|c)))?d:1'b0);

   assign y = ((((a)))?b:1'b0)|
   ((((~(a))))?c:1'b0);

   assign z = ((((a==b)))?d:1'b0);
endmodule
